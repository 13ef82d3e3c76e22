#include "app/navigation.h"

#include "platform/browsercomponent.h"
#include "platform/codepage.h"

#include <QUrl>

namespace {
const QString kSearchPrefix = QStringLiteral("http://www.google.co.jp/search?q=");
const QString kSearchSuffix = QStringLiteral("&hl=ja&ie=Shift_JIS");
} // namespace

QString typedAddressTarget(const QString &text)
{
    const bool direct = text.startsWith(QStringLiteral("\\\\")) || (text.size() >= 6 && text.at(5) == u'/')
        || (text.size() >= 2 && text.at(1) == u':')
        || text.startsWith(QStringLiteral("https://"))
        // A path from the root is what a drive path is on this platform.
        || text.startsWith(u'/');
    return direct ? text : searchAddress(text);
}

QString searchAddress(const QString &phrase)
{
    return kSearchPrefix + QString::fromLatin1(ansi::encode(phrase).toPercentEncoding()) + kSearchSuffix;
}

void navigateTypedAddress(platform::BrowserComponent &browser, const QString &text)
{
    browser.navigate(typedAddressTarget(text));
}

std::optional<QString> quickJumpAddress(const QString &clipboardText)
{
    if (clipboardText.startsWith(QStringLiteral("http://")) || clipboardText.startsWith(QStringLiteral("https://")))
        return clipboardText;
    return std::nullopt;
}

QString imeStatusTip(platform::ImeState state)
{
    switch (state) {
    case platform::ImeState::Off:
        return QStringLiteral("×アルファベット入力　[Google検索:OK]");
    case platform::ImeState::Hiragana:
        return QStringLiteral("◯日本語入力　[Google検索:OK]");
    case platform::ImeState::Other:
        break;
    }
    return {};
}

QString storableAddress(const QString &address)
{
    if (ansi::holds(address))
        return address;
    const QUrl url = address.startsWith(u'/') ? QUrl::fromLocalFile(address) : QUrl(address);
    return url.isValid() ? QString::fromLatin1(url.toEncoded()) : address;
}
