// The link list document built from any page, with a title and address that must come
// out escaped.
#include "linktool/linkexport.h"

#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString page = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto document =
        linktool::buildLinkList(page, QStringLiteral("<title>\"&"), QStringLiteral("http://127.0.0.1/\"><x>"));
    if (!document)
        return 0;
    // The five lines the export writes itself come before anything copied from the page.
    const QString head = document->section(u"\r\n"_s, 0, 4);
    if (head.contains(u"<title>") || head.contains(u"<x>"))
        std::abort();
    return 0;
}
