// The hand-over file's first line as a new window reads it.
#include "app/handover.h"
#include "platform/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)handover::firstLine(ansi::decode(bytes));
    return 0;
}
