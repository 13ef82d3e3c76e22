#include "tools/internetdialogs.h"

#include "app/browserhost.h"
#include "platform/browsercomponent.h"
#include "platform/homepage.h"
#include "platform/privacy.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QCheckBox *checkBox(const char16_t *name, const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromUtf16(name));
    return box;
}

QDialogButtonBox *okCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

BrowsingDataBox::BrowsingDataBox(platform::BrowserFactory &browsers, QWidget *parent)
    : QGroupBox(u"閲覧データの削除"_s, parent)
    , m_browsers(browsers)
{
    setObjectName(u"BrowsingData"_s);
    m_history = checkBox(u"chkHistory", u"閲覧の履歴"_s, this);
    m_cache = checkBox(u"chkCache", u"キャッシュ"_s, this);
    m_cookies = checkBox(u"chkCookies", u"Cookie"_s, this);
    m_history->setChecked(true);
    m_cache->setChecked(true);
    auto *clear = new QPushButton(u"削除"_s, this);
    clear->setObjectName(u"cmdClear"_s);
    m_result = new QLabel(this);
    m_result->setObjectName(u"lblCleared"_s);
    auto *layout = new QVBoxLayout(this);
    for (QWidget *w : std::initializer_list<QWidget *> {m_history, m_cache, m_cookies})
        layout->addWidget(w);
    auto *row = new QHBoxLayout;
    row->addWidget(clear);
    row->addWidget(m_result, 1);
    layout->addLayout(row);
    connect(clear, &QPushButton::clicked, this, &BrowsingDataBox::clearChosen);
}

void BrowsingDataBox::clearChosen()
{
    if (m_history->isChecked())
        m_browsers.clearHistory();
    if (m_cache->isChecked())
        m_browsers.clearCache();
    if (!m_cookies->isChecked()) {
        m_result->setText(u"削除しました。"_s);
        Q_EMIT cleared(true);
        return;
    }
    m_result->setText(u"削除しています・・・"_s);
    QPointer<BrowsingDataBox> self(this);
    m_browsers.deleteAllCookies([self](bool ok) {
        if (!self)
            return;
        self->m_result->setText(ok ? u"削除しました。"_s : u"削除できませんでした。"_s);
        Q_EMIT self->cleared(ok);
    });
}

PrivacyDialog::PrivacyDialog(platform::Platform services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
{
    setObjectName(u"PrivacyDialog"_s);
    setWindowTitle(u"プライバシー設定"_s);
    const platform::PrivacySettings current = m_services.browsers.privacy();
    m_thirdParty = checkBox(u"chkThirdParty", u"他のサイトのCookie（サードパーティCookie）をブロックする"_s, this);
    m_thirdParty->setChecked(current.blockThirdPartyCookies);
    m_doNotTrack = checkBox(u"chkDoNotTrack", u"追跡しないようサイトに求める（Do Not Track）"_s, this);
    m_doNotTrack->setChecked(current.doNotTrack);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_thirdParty);
    layout->addWidget(m_doNotTrack);
    layout->addWidget(new BrowsingDataBox(m_services.browsers, this));
    layout->addWidget(okCancel(this));
}

void PrivacyDialog::accept()
{
    const platform::PrivacySettings chosen {m_thirdParty->isChecked(), m_doNotTrack->isChecked()};
    platform::storePrivacy(m_services.registry, chosen);
    m_services.browsers.setPrivacy(chosen);
    QDialog::accept();
}

InternetOptionsDialog::InternetOptionsDialog(BrowserHost &host, platform::Platform services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
{
    setObjectName(u"InternetOptionsDialog"_s);
    setWindowTitle(u"インターネットオプション"_s);
    auto *home = new QGroupBox(u"ホームページ"_s, this);
    m_homePage = new QLineEdit(platform::storedHomePage(m_services.registry), home);
    m_homePage->setObjectName(u"txtHomePage"_s);
    auto *useCurrent = new QPushButton(u"現在のページを使用"_s, home);
    useCurrent->setObjectName(u"cmdCurrentPage"_s);
    auto *useBlank = new QPushButton(u"空白を使用"_s, home);
    useBlank->setObjectName(u"cmdBlankPage"_s);
    auto *homeLayout = new QVBoxLayout(home);
    homeLayout->addWidget(m_homePage);
    auto *homeButtons = new QHBoxLayout;
    homeButtons->addWidget(useCurrent);
    homeButtons->addWidget(useBlank);
    homeLayout->addLayout(homeButtons);
    connect(useCurrent, &QPushButton::clicked, this, [this, &host] {
        if (const platform::BrowserComponent *browser = host.browser())
            m_homePage->setText(browser->address());
    });
    connect(useBlank, &QPushButton::clicked, this, [this] { m_homePage->setText(u"about:blank"_s); });

    auto *languages = new QPushButton(u"言語の優先順位..."_s, this);
    languages->setObjectName(u"cmdLanguages"_s);
    connect(languages, &QPushButton::clicked, this, &InternetOptionsDialog::languagesRequested);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(home);
    layout->addWidget(new BrowsingDataBox(m_services.browsers, this));
    layout->addWidget(languages, 0, Qt::AlignLeft);
    layout->addWidget(okCancel(this));
}

void InternetOptionsDialog::accept()
{
    platform::storeHomePage(m_services.registry, m_homePage->text().trimmed());
    QDialog::accept();
}
