// CP932 text: decoding never fails, and text the code page holds comes back unchanged.
#include "platform/codepage.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = ansi::decode(bytes);
    if (ansi::holds(text) && ansi::decode(ansi::encode(text)) != text)
        std::abort();
    (void)ansi::cut(bytes, qsizetype(size / 2));
    return 0;
}
