#include "tools/aboutbox.h"

#include "app/browserhost.h"
#include "app/maker.h"
#include "platform/browsercomponent.h"
#include "tools/systemreport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
const QString kPlaceholder = u"Windowsバージョン："_s;
}

AboutBox::AboutBox(BrowserHost &host, platform::Platform services, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_services(services)
{
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"ゆらぎねバージョン情報"_s);
    auto *layout = new QVBoxLayout(this);

    QLabel *icon = label(u"picIcon", {}, this);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    layout->addWidget(icon);
    layout->addWidget(label(u"lblTitle", u"Webブラウザ 「ゆらぎね」 Ver4.00"_s, this));
    layout->addWidget(label(u"lblVersion", u"Qt WebEngine でページを表示するWebブラウザです。"_s, this));

    auto *versions = new QGroupBox(u"バージョン情報"_s, this);
    versions->setObjectName(u"Frame1"_s);
    auto *versionLines = new QVBoxLayout(versions);
    for (const char16_t *name :
         {u"Label3", u"Label4", u"Label5", u"Label7", u"Label8", u"Label9", u"Label10", u"Label11"})
        versionLines->addWidget(label(name, kPlaceholder, versions));
    layout->addWidget(versions);

    auto *network = new QGroupBox(u"ネットワーク情報"_s, this);
    network->setObjectName(u"Frame2"_s);
    (new QVBoxLayout(network))->addWidget(label(u"Label6", {}, network));
    layout->addWidget(network);

    m_homePage = label(u"Label1", u"ＨＰ："_s + maker::homePage(), this);
    m_mail = label(u"Label2", u"E-mail："_s + maker::mailAddress(), this);
    for (QLabel *link : {m_homePage, m_mail}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setStyleSheet(u"color: blue; text-decoration: underline"_s);
        link->installEventFilter(this);
        layout->addWidget(link);
    }
    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"cmdOK"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setAttribute(Qt::WA_DeleteOnClose);
}

QLabel *AboutBox::label(const char16_t *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromUtf16(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

void AboutBox::showFacts()
{
    auto set = [this](const char16_t *name, const QString &text) {
        findChild<QLabel *>(QString::fromUtf16(name))->setText(text);
    };
    // This platform is never Windows, and none of the old component files exist here.
    set(u"Label3", systemreport::osLabel(m_services.system.osVersion(), false));
    set(u"Label4", u"Internet Explorer　(Version:)"_s);
    set(u"Label5", u"関連づけツール　(Version:1.0.3010.2002)"_s);
    set(u"Label7", u"VB6JP.DLL　(Version:)"_s);
    set(u"Label8", u"MSCOMCTL.OCX　(Version:)"_s);
    set(u"Label9", u"MSINET.OCX　(Version:)"_s);
    set(u"Label10", u"COMDLG32.OCX　(Version:)"_s);
    // What actually shows the pages, so a user can tell how current it is.
    set(u"Label11", u"Chromium　(Version:"_s + m_services.browsers.engineVersion() + u')');
    set(u"Label6", u"IP Address : "_s + m_services.system.ipv4Address());
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == m_homePage) {
            if (platform::BrowserComponent *browser = m_host.browser())
                browser->navigate(maker::homePage());
            return true;
        }
        if (watched == m_mail) {
            m_services.shell.openMail(maker::mailAddress());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
