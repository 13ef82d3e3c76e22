#include "platform/webengine/browserui.h"

#include "platform/dialogs.h"
#include "platform/hostdisplay.h"
#include "platform/pagepermissions.h"
#include "platform/textdecoding.h"
#include "platform/untrustedtext.h"
#include "platform/webengine/browserpage.h"

#include <QAuthenticator>
#include <QCheckBox>
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

#include <chrono>
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
    // The realm is the server's to choose: on one line, without characters that reorder or
    // hide text, quoted and set apart, so that it cannot draw lines that pass for ours.
    const QString realm = oneLineText(request.realm, 100);
    if (!realm.isEmpty()) {
        addText(QStringLiteral("サーバーからのメッセージ:"));
        auto *quoted = new QLabel(&dialog);
        quoted->setObjectName(QStringLiteral("signInRealm"));
        quoted->setTextFormat(Qt::PlainText);
        quoted->setText(QStringLiteral("「%1」").arg(realm));
        quoted->setFrameShape(QFrame::StyledPanel);
        quoted->setMargin(4);
        QFont font = quoted->font();
        font.setItalic(true);
        quoted->setFont(font);
        form->addRow(quoted);
    }
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
    const bool accepted = execClosable(owner) == QDialog::Accepted && owner;
    if (accepted) {
        user = userName->text();
        password = secret->text();
    }
    delete owner.data();
    return accepted;
}

PageDialogAnswer askPageDialog(QWidget *parent, const PageDialogRequest &request)
{
    using Kind = PageDialogRequest::Kind;
    QPointer<QDialog> owner = new QDialog(parent);
    QDialog &dialog = *owner;
    dialog.setObjectName(QStringLiteral("pageDialog"));
    dialog.setWindowTitle(QStringLiteral("ページからのメッセージ"));
    dialog.setMinimumWidth(400);
    auto *form = new QFormLayout(&dialog);
    // Our line names the page; the page's words come below it, framed, as plain text.
    auto *from = new QLabel(&dialog);
    from->setTextFormat(Qt::PlainText);
    from->setText(QStringLiteral("%1 のページからのメッセージ:").arg(request.site));
    form->addRow(from);
    auto *words = new QLabel(&dialog);
    words->setObjectName(QStringLiteral("pageDialogMessage"));
    words->setTextFormat(Qt::PlainText);
    words->setWordWrap(true);
    words->setFrameShape(QFrame::StyledPanel);
    words->setMargin(6);
    words->setText(pageMessageText(request.message, 1000, 20));
    form->addRow(words);
    QLineEdit *answer = nullptr;
    if (request.kind == Kind::Prompt) {
        answer = new QLineEdit(request.text, &dialog);
        answer->setObjectName(QStringLiteral("pageDialogText"));
        form->addRow(answer);
    }
    QCheckBox *silence = nullptr;
    if (request.offerSilence) {
        silence = new QCheckBox(QStringLiteral("このページのダイアログを今後表示しない"), &dialog);
        silence->setObjectName(QStringLiteral("pageDialogSilence"));
        form->addRow(silence);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    if (request.kind != Kind::Alert)
        buttons->addButton(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    PageDialogAnswer result;
    result.accepted = execClosable(owner) == QDialog::Accepted && owner;
    if (owner) {
        result.text = answer ? answer->text() : QString();
        result.silence = silence && silence->isChecked();
    }
    delete owner.data();
    return result;
}

} // namespace

QString siteOf(const QUrl &url)
{
    return url.toString(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo
                        | QUrl::StripTrailingSlash);
}

qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

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
    ui.pageDialog = askPageDialog;
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

struct SignInState
{
    QPointer<BrowserPage> page;
    QPointer<QWidget> parent;
    BrowserUi::SignIn signIn;
    std::shared_ptr<PageQuestionGate> gate;
};

void answerSignIn(SignInState &state, const QUrl &asking, const SignInRequest &request, QAuthenticator *authenticator)
{
    // Both the page shown and the server asking: frames cannot take turns, and a page
    // being loaded that wants a password is its own.
    const QString shown = siteOf(state.page->committedUrl());
    const QString server = siteOf(asking);
    const qint64 now = steadyMs();
    const bool ask = state.signIn && state.gate->mayAsk(shown, PageQuestionGate::Kind::Question, now)
        && state.gate->mayAsk(server, PageQuestionGate::Kind::Question, now);
    QString user;
    QString password;
    const QPointer<BrowserPage> page = state.page; // state goes with the page
    const std::shared_ptr<PageQuestionGate> gate = state.gate;
    bool signedIn = false;
    if (ask) {
        gate->opened(shown, PageQuestionGate::Kind::Question);
        signedIn = state.signIn(state.parent, request, user, password);
        gate->closed();
    }
    if (!page)
        return; // the authenticator went with it
    if (signedIn) {
        authenticator->setUser(user);
        authenticator->setPassword(password);
        return;
    }
    if (ask) {
        gate->refused(shown, steadyMs());
        gate->refused(server, steadyMs());
    }
    // Only a null authenticator cancels. The engine has already set the realm on this one,
    // so left as it is it would send an empty name again and again until it gives up with
    // ERR_TOO_MANY_RETRIES instead of showing the server's own page.
    *authenticator = QAuthenticator();
}

} // namespace

void answerSignIns(BrowserPage *page, QWidget *parent, const BrowserUi::SignIn &signIn,
                   std::shared_ptr<PageQuestionGate> gate)
{
    auto state = std::make_shared<SignInState>(SignInState {page, parent, signIn, std::move(gate)});
    QObject::connect(
        page, &QWebEnginePage::authenticationRequired, page, [state](const QUrl &url, QAuthenticator *authenticator) {
            answerSignIn(*state, url,
                         {displayHost(url.host()), headerText(authenticator->realm()), false, url.scheme() == u"https"},
                         authenticator);
        });
    QObject::connect(page, &QWebEnginePage::proxyAuthenticationRequired, page,
                     [state](const QUrl &url, QAuthenticator *authenticator, const QString &proxyHost) {
                         answerSignIn(*state, QUrl(QStringLiteral("proxy://") + proxyHost),
                                      {displayHost(proxyHost), headerText(authenticator->realm()), true, false},
                                      authenticator);
                     });
}

void showScriptDialogs(BrowserPage *page, QWidget *parent, const BrowserUi::PageDialog &dialog,
                       std::shared_ptr<PageQuestionGate> gate)
{
    if (!dialog) {
        page->setScriptDialogs({});
        return;
    }
    QPointer<QWidget> over(parent);
    page->setScriptDialogs([page, over, dialog, gate](PageDialogRequest request) -> PageDialogAnswer {
        using Kind = PageQuestionGate::Kind;
        const QUrl shown = page->committedUrl();
        const QString site = siteOf(shown);
        if (!over || !gate->mayAsk(site, Kind::ScriptDialog, steadyMs()))
            return {};
        gate->opened(site, Kind::ScriptDialog);
        request.site = shown.isLocalFile() ? shown.fileName() : displayHost(shown.host());
        request.offerSilence = gate->offersSilence(site);
        const PageDialogAnswer answer = dialog(over, request);
        gate->closed();
        if (!answer.accepted)
            gate->refused(site, steadyMs());
        if (answer.silence)
            gate->silence(site);
        return answer;
    });
}

} // namespace platform
