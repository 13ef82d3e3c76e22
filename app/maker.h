#pragma once

#include <QString>

// Where the program's maker publishes it. The version check fetches from the web folder;
// the about boxes and the link lists credit the home page.
namespace maker {

inline QString webFolder()
{
    return QStringLiteral("https://yuragine.example/");
}
inline QString homePage()
{
    return webFolder() + QStringLiteral("index.htm");
}
inline QString faqPage()
{
    return webFolder() + QStringLiteral("download/qa/qaa.htm");
}
inline QString mailAddress()
{
    return QStringLiteral("support@yuragine.example");
}

} // namespace maker
