#include "tools/versioncheckdialog.h"

#include "app/browserhost.h"
#include "platform/browsercomponent.h"
#include "platform/internettransfer.h"
#include "tools/versioncheck.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

VersionCheckDialog::VersionCheckDialog(BrowserHost &host, platform::InternetTransfer &transfer, QWidget *parent)
    : QDialog(parent)
    , m_host(host)
    , m_transfer(transfer)
{
    setObjectName(u"Form4"_s);
    setWindowTitle(u"最新バージョンチェック"_s);
    auto label = [this](const char16_t *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(QString::fromUtf16(name));
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    QLabel *heading = label(u"Label3", u"更新チェック"_s);
    m_current = label(u"Label1", u"■現在のバージョン："_s);
    m_published = label(u"Label2", u"■最新のバージョン："_s);
    QLabel *contents = label(u"Label4", u"■内容"_s);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"Text1"_s);
    m_text->setReadOnly(true);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The text area paints itself with Base; the dialog's colour goes there.
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    m_text->setPalette(palette);
    m_close = new QPushButton(u"閉じる"_s, this);
    m_close->setObjectName(u"Command1"_s);
    m_close->setToolTip(u"ダイアログを閉じる"_s);
    m_close->setEnabled(false);
    m_homePage = new QPushButton(u"ホームページへ"_s, this);
    m_homePage->setObjectName(u"Command2"_s);
    m_homePage->setToolTip(u"最新版のあるＨＰに移動"_s);
    m_homePage->setEnabled(false);
    m_marks = new QTimer(this);
    m_marks->setObjectName(u"Timer1"_s);
    m_marks->setInterval(300);

    auto *grid = new QGridLayout(this);
    grid->addWidget(heading, 0, 0, 1, 2);
    grid->addWidget(m_current, 1, 0, 1, 2);
    grid->addWidget(m_published, 2, 0, 1, 2);
    grid->addWidget(contents, 3, 0, 1, 2);
    grid->addWidget(m_text, 4, 0, 1, 2);
    grid->addWidget(m_homePage, 5, 0);
    grid->addWidget(m_close, 5, 1);
    setFixedSize(360, 300);

    connect(m_marks, &QTimer::timeout, this,
            [this] { m_text->setPlainText(versioncheck::nextMarks(m_text->toPlainText())); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_homePage, &QPushButton::clicked, this, [this] {
        if (platform::BrowserComponent *browser = m_host.browser())
            browser->navigate(versioncheck::publishedFolder().resolved(QUrl(u"index.htm"_s)).toString());
        accept();
    });
}

bool VersionCheckDialog::isChecking() const
{
    return m_marks->isActive();
}

void VersionCheckDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        startCheck();
    }
}

void VersionCheckDialog::startCheck()
{
    m_marks->start();
    const QUrl folder = versioncheck::publishedFolder();
    // One after the other, as the data decides whether the version matters at all. The
    // dialog is the context: closing it drops what is still on its way.
    m_transfer.openUrl(folder.resolved(QUrl(u"newdatayura.txt"_s)), this,
                       [this, folder](const platform::TransferResult &data) {
                           m_transfer.openUrl(folder.resolved(QUrl(u"newveryura.txt"_s)), this,
                                              [this, text = data.text](const platform::TransferResult &version) {
                                                  finish(text, version.text);
                                              });
                       });
}

void VersionCheckDialog::finish(const QString &data, const QString &version)
{
    m_marks->stop();
    m_current->setText(u"■現在のバージョン："_s + versioncheck::currentVersion());
    m_published->setText(u"■最新のバージョン："_s + version);
    const versioncheck::Outcome outcome = versioncheck::judge(data, version);
    m_text->setPlainText(versioncheck::resultText(outcome, data));
    m_close->setEnabled(true);
    m_homePage->setEnabled(outcome == versioncheck::Outcome::Newer);
    Q_EMIT checked();
}
