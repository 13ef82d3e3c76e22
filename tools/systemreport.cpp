#include "tools/systemreport.h"

using namespace Qt::StringLiterals;

namespace systemreport {

QString versionText(const platform::OsVersion &version)
{
    return u"%1.%2.%3"_s.arg(version.major).arg(version.minor).arg(version.build);
}

QString bugReport(const Facts &f)
{
    const QString crlf = u"\r\n"_s;
    const QString fourBreaks = crlf + crlf + crlf + crlf;
    QString r;
    r += u"お問い合わせは、以下の情報をメールに貼って送ってください。"_s + crlf;
    r += QString(58, u'-') + crlf + crlf + crlf;
    r += u"■問題点"_s + fourBreaks;
    r += u"■発生状況"_s + fourBreaks;
    r += u"■その他"_s + fourBreaks;
    r += u"■PC情報"_s + crlf;
    r += f.programName + QString::number(f.majorVersion) + u'.' + QString::number(f.minorVersion) + crlf + crlf;
    r += u"Windowsバージョン："_s + versionText(f.os) + crlf + crlf;
    r += u"Internet Explorer　( Version: )"_s + crlf;
    for (const char16_t *file : {u"VB6JP.DLL", u"MSCOMCTL.OCX", u"MSINET.OCX"})
        r += QString::fromUtf16(file) + u"　( Version: )"_s + crlf;
    r += u"COMDLG32.OCX　( Version: )"_s + crlf + crlf;
    r += u"画面解像度　( %1 × %2 )"_s.arg(f.screen.width()).arg(f.screen.height()) + crlf;
    r += u"ウィンドウ数　( %1 )"_s.arg(f.windowCount) + crlf + crlf;
    r += u"[ini]ネスケタグ検出　( "_s + f.nstag + u" )"_s + crlf;
    r += u"[ini]Cookie編集　( "_s + f.cookiesEdit + u" )"_s + crlf;
    r += u"[ini]BBアクセラレータ　( "_s + f.bba + u" )"_s + crlf;
    r += u"[ini]WinXP Visual Style　( "_s + f.wvs + u" )"_s + crlf;
    r += u"[ini]半透明　( "_s + f.exstyle + u"："_s + f.exstyleValue + u" )"_s + crlf;
    return r;
}

QString osLabel(const platform::OsVersion &version, bool windows)
{
    const QString placeholder = u"Windowsバージョン："_s;
    const QString v = versionText(version);
    if (!windows)
        return u"OSがわかりません　(Version:"_s + v + u')';
    const QString major = QString::number(version.major);
    const QString minor = QString::number(version.minor);
    QString name;
    switch (major.back().unicode()) {
    case u'3':
        name = u"WindowsNT3.51　(Version:"_s;
        break;
    case u'4':
        if (version.platformId == 1) {
            const QString lastTwo = minor.right(2);
            if (lastTwo == u"0")
                name = u"Windows95　(Version:"_s;
            else if (lastTwo == u"10")
                name = u"Windows98　(Version:"_s;
            else if (lastTwo == u"90")
                name = u"WindowsMe　(Version:"_s;
            else
                return placeholder;
        } else {
            name = u"WindowsNT4.0　(Version:"_s;
        }
        break;
    case u'5':
        if (minor.endsWith(u'0'))
            name = u"Windows2000　(Version:"_s;
        else if (minor.endsWith(u'1'))
            name = u"WindowsXP　(Version:"_s;
        else
            return placeholder;
        break;
    default:
        name = u"OSがわかりません　(Version:"_s;
    }
    return name + v + u')';
}

} // namespace systemreport
