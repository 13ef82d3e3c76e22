#include "app/pagepermissionquestion.h"

#include "app/browserhost.h"
#include "platform/browsercomponent.h"
#include "platform/dialogs.h"

using namespace Qt::StringLiterals;

QString pagePermissionQuestion(const QString &site, const QString &feature)
{
    return u"%1 が%2の使用を求めています。\r\n\r\n許可しますか？\r\n（この答えはゆらぎねを終了するまで有効です）"_s.arg(site, feature);
}

void askAboutPagePermissions(BrowserHost &host, platform::Dialogs &dialogs)
{
    platform::BrowserComponent *browser = host.browser();
    if (!browser)
        return;
    QObject::connect(browser, &platform::BrowserComponent::permissionRequested, browser,
                     [&host, &dialogs](const QString &site, const QString &feature, bool &allow) {
                         allow = dialogs.askYesNo(host.dialogParent(), pagePermissionQuestion(site, feature),
                                                  u"アクセス許可の確認"_s, platform::MessageIcon::Question,
                                                  platform::MessageButtons::YesNoDefaultNo);
                     });
}
