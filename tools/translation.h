#pragma once

#include <QString>

class BrowserHost;

// The page-translation commands of the Tools menu, in menu order.
enum class Translation {
    EnglishToJapanese,
    JapaneseToEnglish,
    ChineseToJapanese,
    JapaneseToChinese,
    KoreanToJapanese,
    JapaneseToKorean,
};

namespace translation {

// The two services, kept here only.
inline constexpr char16_t kEnglishChineseHost[] = u"www.excite.co.jp";
inline constexpr char16_t kKoreanHost[] = u"j2k.naver.com";

// The service's request for the page at address. The address is percent-encoded so that
// its "&", "#" and "?" reach the service as part of it.
QString requestAddress(Translation which, const QString &address);

} // namespace translation

// Shows the page of the window's address box translated, in the window's own browser.
void translatePage(BrowserHost &host, Translation which);
