#include "app/pagequestions.h"

#include "app/browserhost.h"
#include "platform/browsercomponent.h"
#include "platform/dialogs.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

QString downloadQuestion(const QString &fileName, const QString &from)
{
    return u"このページが、ファイルを保存しようとしています。\r\n\r\nファイル名 : %1\r\nサーバー : %2\r\n\r\n保存しますか？"_s
        .arg(fileName, from);
}

QString permissionQuestion(const QString &site, const QString &feature)
{
    return u"%1 が%2の使用を求めています。\r\n\r\n許可しますか？\r\n（この答えはゆらぎねを終了するまで有効です）"_s.arg(
        site, feature);
}

} // namespace

void askAboutPageRequests(BrowserHost &host, platform::Dialogs &dialogs)
{
    platform::BrowserComponent *browser = host.browser();
    if (!browser)
        return;
    using B = platform::BrowserComponent;
    auto ask = [&host, &dialogs](const QString &text, const QString &title) {
        return dialogs.askYesNo(host.dialogParent(), text, title, platform::MessageIcon::Question,
                                platform::MessageButtons::YesNoDefaultNo);
    };
    // The browser belongs to the host's window and goes with it.
    QObject::connect(browser, &B::unrequestedDownload, browser,
                     [ask](const QString &fileName, const QString &from, bool &allow) {
                         allow = ask(downloadQuestion(fileName, from), u"ダウンロードの確認"_s);
                     });
    QObject::connect(browser, &B::downloadRefused, browser, [&host](const QString &from) {
        host.showMessageBar(u"このページが次々に始めたダウンロードを止めました（%1）。"_s.arg(from));
    });
    // A local file shows without its script; the user may let this one run it.
    QPointer<B> page(browser);
    QObject::connect(browser, &B::localScriptBlocked, browser, [&host, page](const QString &) {
        host.offerInMessageBar(u"このファイルのスクリプトは、ほかのファイルを読み取られないように止めています。"_s,
                               {{u"このファイルのスクリプトを実行"_s, [page] {
                                     if (page)
                                         page->runLocalScript();
                                 }}});
    });
    QObject::connect(browser, &B::localNavigationRefused, browser, [&host](const QString &url) {
        constexpr qsizetype kShown = 100;
        host.showMessageBar(u"ローカルファイルのページは、クリックなしでほかのアドレスを開けません: %1"_s.arg(
            url.size() > kShown ? url.left(kShown) + u'…' : url));
    });
    // A page whose script never ends: the user may end it or give it more time.
    QObject::connect(browser, &B::pageNotAnswering, browser, [&host, page](bool notAnswering) {
        if (!notAnswering) {
            host.hideMessageBar();
            return;
        }
        host.offerInMessageBar(u"このページが応答していません。"_s,
                               {{u"ページを閉じる"_s,
                                 [page] {
                                     if (page)
                                         page->endPage();
                                 }},
                                {u"待つ"_s, [] {}}});
    });
    QObject::connect(browser, &B::permissionRequested, browser,
                     [ask](const QString &site, const QString &feature, bool &allow) {
                         allow = ask(permissionQuestion(site, feature), u"アクセス許可の確認"_s);
                     });
}
