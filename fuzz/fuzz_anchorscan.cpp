// The link tool's anchor scan over any page text.
#include "linktool/linkanalysis.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString page = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const linktool::LinkEntry &entry : linktool::scanAnchors(page))
        (void)linktool::resolveLink(QStringLiteral("http://127.0.0.1/a/b.htm"), entry.url);
    return 0;
}
