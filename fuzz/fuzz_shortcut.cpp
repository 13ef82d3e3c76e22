// The address of an Internet shortcut file.
#include "sidebar/bookmarks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    (void)bookmarks::parseShortcutAddress(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
