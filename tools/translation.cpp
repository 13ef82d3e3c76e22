#include "tools/translation.h"

#include "app/browserhost.h"
#include "platform/browsercomponent.h"

#include <QUrl>

namespace translation {

namespace {

QString http(const char16_t *host)
{
    return QStringLiteral("http://") + QString::fromUtf16(host);
}

// A query value: everything but the unreserved characters is encoded.
QString queryValue(const QString &address)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(address));
}

// The rest of a path: "/" and ":" stay, so the service still finds the address's parts.
QString pathRest(const QString &address)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(address, "/:"));
}

QString englishChinese(const char *path, const QString &address, const char *pair)
{
    return http(kEnglishChineseHost) + QString::fromLatin1(path) + queryValue(address) + QStringLiteral("&wb_lp=")
        + QString::fromLatin1(pair) + QStringLiteral("&wb_dis=2");
}

} // namespace

QString requestAddress(Translation which, const QString &address)
{
    switch (which) {
    case Translation::EnglishToJapanese:
        return englishChinese("/world/url/body/?wb_url=", address, "ENJA");
    case Translation::JapaneseToEnglish:
        return englishChinese("/world/url/body/?wb_url=", address, "JAEN");
    case Translation::ChineseToJapanese:
        return englishChinese("/world/url_cn/body/?wb_url=", address, "CHJA");
    case Translation::JapaneseToChinese:
        return englishChinese("/world/url_cn/body/?wb_url=", address, "JACH");
    case Translation::KoreanToJapanese:
        return http(kKoreanHost) + QStringLiteral("/j2k.php/korea/") + pathRest(address);
    case Translation::JapaneseToKorean:
        return http(kKoreanHost) + QStringLiteral("/j2k.php/japan/") + pathRest(address);
    }
    return {};
}

} // namespace translation

void translatePage(BrowserHost &host, Translation which)
{
    platform::BrowserComponent *browser = host.browser();
    if (!browser)
        return;
    // The address goes to a third party in the clear: a local path or a script is none
    // of its business.
    const QString address = host.addressText();
    const QString scheme = QUrl(address.trimmed()).scheme();
    if (scheme != u"http" && scheme != u"https") {
        host.showMessageBar(
            QStringLiteral("このページは翻訳できません（翻訳できるのは http と https のページだけです）。"));
        return;
    }
    browser->navigate(translation::requestAddress(which, address));
}
