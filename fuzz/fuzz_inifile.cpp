// The settings file reader and writer: whatever the bytes, reading, changing one key and
// writing again must keep every other line and give back the value just set.
#include "app/inifile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniDocument document(bytes);
    (void)document.value(u"Window", u"SideW");
    document.setValue(u"Data", u"Fuzz", "値");
    IniDocument again(document.toBytes());
    if (again.value(u"Data", u"Fuzz") != QByteArray("値"))
        std::abort();
    return 0;
}
