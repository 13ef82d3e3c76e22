#include "app/pagedownloads.h"

#include "app/browserhost.h"
#include "platform/browsercomponent.h"
#include "platform/dialogs.h"

using namespace Qt::StringLiterals;

namespace {

QString question(const QString &fileName, const QString &from)
{
    return u"このページが、ファイルを保存しようとしています。\r\n\r\nファイル名 : %1\r\nサーバー : %2\r\n\r\n保存しますか？"_s
        .arg(fileName, from);
}

} // namespace

void askAboutUnrequestedDownloads(BrowserHost &host, platform::Dialogs &dialogs)
{
    platform::BrowserComponent *browser = host.browser();
    if (!browser)
        return;
    // The browser belongs to the host's window and goes with it.
    QObject::connect(browser, &platform::BrowserComponent::unrequestedDownload, browser,
                     [&host, &dialogs](const QString &fileName, const QString &from, bool &allow) {
                         allow = dialogs.askYesNo(host.dialogParent(), question(fileName, from),
                                                  u"ダウンロードの確認"_s, platform::MessageIcon::Question,
                                                  platform::MessageButtons::YesNoDefaultNo);
                     });
    QObject::connect(browser, &platform::BrowserComponent::downloadRefused, browser, [&host](const QString &from) {
        host.showMessageBar(u"このページが次々に始めたダウンロードを止めました（%1）。"_s.arg(from));
    });
}
