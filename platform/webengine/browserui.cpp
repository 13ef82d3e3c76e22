#include "platform/webengine/browserui.h"

#include "platform/textdecoding.h"

#include <QAuthenticator>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFormLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QWebEnginePage>

#include <memory>

namespace platform {

namespace {

// A dialog on the heap: if its parent window is destroyed while it runs, the dialog goes
// with it and exec() returns, instead of a second delete at the end of a stack frame.
template <typename QtDialog, typename... Args> int runDialog(Args &&...args)
{
    QPointer<QtDialog> dialog = new QtDialog(std::forward<Args>(args)...);
    const int result = dialog->exec();
    delete dialog.data();
    return result;
}

void showPropertiesDialog(QWidget *parent, const PageProperties &properties)
{
    QPointer<QDialog> owner = new QDialog(parent);
    QDialog &dialog = *owner;
    dialog.setWindowTitle(QStringLiteral("プロパティ"));
    auto *form = new QFormLayout(&dialog);
    auto addRow = [&](const QString &label, const QString &value) {
        auto *text = new QLabel(&dialog);
        text->setTextFormat(Qt::PlainText);
        text->setText(value);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setWordWrap(true);
        form->addRow(label, text);
    };
    addRow(QStringLiteral("タイトル:"), properties.title);
    addRow(QStringLiteral("アドレス (URL):"), properties.address);
    addRow(QStringLiteral("プロトコル:"), properties.protocol);
    addRow(QStringLiteral("エンコード:"), properties.encoding);
    addRow(QStringLiteral("サイズ:"),
           properties.size < 0 ? QStringLiteral("不明")
                               : QLocale().toString(properties.size) + QStringLiteral(" バイト"));
    addRow(QStringLiteral("更新日時:"), properties.lastModified);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    form->addRow(buttons);
    dialog.exec();
    delete owner.data();
}

bool askSignIn(QWidget *parent, const SignInRequest &request, QString &user, QString &password)
{
    QPointer<QDialog> owner = new QDialog(parent);
    QDialog &dialog = *owner;
    dialog.setObjectName(QStringLiteral("signInDialog"));
    dialog.setWindowTitle(QStringLiteral("サインイン"));
    dialog.setMinimumWidth(400);
    auto *form = new QFormLayout(&dialog);
    auto addText = [&](const QString &text) {
        auto *label = new QLabel(&dialog);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setText(text);
        form->addRow(label);
    };
    addText(request.proxy ? QStringLiteral("プロキシ %1 がユーザー名とパスワードを求めています。").arg(request.host)
                          : QStringLiteral("%1 がユーザー名とパスワードを求めています。").arg(request.host));
    // The realm is the server's to choose: long or odd texts must not pass for ours.
    if (!request.realm.isEmpty())
        addText(QStringLiteral("サーバーからのメッセージ: %1").arg(request.realm.left(200)));
    if (!request.encrypted && !request.proxy)
        addText(QStringLiteral("この接続は暗号化されていません。パスワードが読み取られるおそれがあります。"));
    auto *userName = new QLineEdit(&dialog);
    userName->setObjectName(QStringLiteral("userName"));
    auto *secret = new QLineEdit(&dialog);
    secret->setObjectName(QStringLiteral("password"));
    secret->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("ユーザー名(&U):"), userName);
    form->addRow(QStringLiteral("パスワード(&P):"), secret);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("サインイン"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    const bool accepted = dialog.exec() == QDialog::Accepted && owner;
    if (accepted) {
        user = userName->text();
        password = secret->text();
    }
    delete owner.data();
    return accepted;
}

} // namespace

BrowserUi defaultBrowserUi()
{
    BrowserUi ui;
    ui.printDialog = [](QPrinter &printer, QWidget *parent) {
        return runDialog<QPrintDialog>(&printer, parent) == QDialog::Accepted;
    };
    ui.pageSetupDialog = [](QPrinter &printer, QWidget *parent) {
        return runDialog<QPageSetupDialog>(&printer, parent) == QDialog::Accepted;
    };
    ui.printPreview = [](QPrinter &printer, QWidget *parent, const std::function<bool(QPrinter *)> &paint) {
        QPointer<QPrintPreviewDialog> dialog = new QPrintPreviewDialog(&printer, parent);
        QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                         [paint](QPrinter *target) { paint(target); });
        dialog->exec();
        delete dialog.data();
    };
    ui.signIn = askSignIn;
    ui.saveFileName = [](QWidget *parent, const QString &suggestedPath) {
        // A PDF shown by the viewer is saved as itself.
        const bool pdf = suggestedPath.endsWith(u".pdf", Qt::CaseInsensitive);
        return QFileDialog::getSaveFileName(parent, QStringLiteral("名前を付けて保存"), suggestedPath,
                                            pdf ? QStringLiteral("PDF 文書 (*.pdf);;すべてのファイル (*)")
                                                : QStringLiteral("Web ページ (*.htm *.html);;すべてのファイル (*)"));
    };
    ui.showProperties = &showPropertiesDialog;
    ui.openExternally = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    ui.homePage = [] { return QString(); };
    return ui;
}

namespace {

// After a Cancel the same server asks no more for a while: a page full of frames that
// want a password would otherwise put up one dialog after another.
constexpr qint64 kQuietAfterCancelMs = 10'000;

struct SignInState
{
    QPointer<QWebEnginePage> page;
    QPointer<QWidget> parent;
    BrowserUi::SignIn signIn;
    QHash<QString, QElapsedTimer> cancelled; // by proxy or not, host and realm
};

void answerSignIn(SignInState &state, const SignInRequest &request, QAuthenticator *authenticator)
{
    const QString key = QString::number(request.proxy) + u'\n' + request.host + u'\n' + request.realm;
    const auto refused = state.cancelled.constFind(key);
    const bool quiet = refused != state.cancelled.constEnd() && refused->elapsed() < kQuietAfterCancelMs;
    QString user;
    QString password;
    const QPointer<QWebEnginePage> page = state.page; // state goes with the page
    const bool signedIn = !quiet && state.signIn && state.signIn(state.parent, request, user, password);
    if (!page)
        return; // the authenticator went with it
    if (signedIn) {
        authenticator->setUser(user);
        authenticator->setPassword(password);
        return;
    }
    if (!quiet)
        state.cancelled[key].start();
    // Only a null authenticator cancels. The engine has already set the realm on this one,
    // so left as it is it would send an empty name again and again until it gives up with
    // ERR_TOO_MANY_RETRIES instead of showing the server's own page.
    *authenticator = QAuthenticator();
}

} // namespace

void answerSignIns(QWebEnginePage *page, QWidget *parent, const BrowserUi::SignIn &signIn)
{
    auto state = std::make_shared<SignInState>(SignInState {page, parent, signIn, {}});
    QObject::connect(
        page, &QWebEnginePage::authenticationRequired, page, [state](const QUrl &url, QAuthenticator *authenticator) {
            answerSignIn(*state, {url.host(), headerText(authenticator->realm()), false, url.scheme() == u"https"},
                         authenticator);
        });
    QObject::connect(
        page, &QWebEnginePage::proxyAuthenticationRequired, page,
        [state](const QUrl &, QAuthenticator *authenticator, const QString &proxyHost) {
            answerSignIn(*state, {proxyHost, headerText(authenticator->realm()), true, false}, authenticator);
        });
}

} // namespace platform
