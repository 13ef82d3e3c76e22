#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace platform {

class BrowserPage;
class PageQuestionGate;

// What the browser shows in the page properties dialog.
struct PageProperties
{
    QString title;
    QString address;
    QString protocol;
    QString encoding;
    qint64 size = -1; // bytes; -1 unknown
    QString lastModified;
};

// A server or a proxy that wants a user name and a password.
struct SignInRequest
{
    QString host;  // the site's host, or the proxy's
    QString realm; // the server's own words, shown as plain text
    bool proxy = false;
    bool encrypted = false; // the answer goes over https
};

// A page's script wants the user to read, confirm or answer something.
struct PageDialogRequest
{
    enum class Kind { Alert, Confirm, Prompt };
    Kind kind = Kind::Alert;
    QString site;              // the page's, as the user should read it
    QString message;           // the script's words, shown as plain text
    QString text;              // what a prompt's answer starts with
    bool offerSilence = false; // the page keeps raising them: offer to show none of its again
};

struct PageDialogAnswer
{
    bool accepted = false; // OK; false for Cancel and for a dialog closed or never shown
    QString text;          // a prompt's answer
    bool silence = false;  // show this page's dialogs no more
};

// The dialogs and outside services the browser component uses. Each is replaceable, so
// tests drive the print, save and properties paths without a person at the screen.
struct BrowserUi
{
    // true when the user accepted; the printer holds the choices.
    std::function<bool(QPrinter &printer, QWidget *parent)> printDialog;
    std::function<bool(QPrinter &printer, QWidget *parent)> pageSetupDialog;
    // Shows a preview of the printer's pages; paint renders the page into a printer and
    // returns whether that worked. Returns when the preview is closed.
    std::function<void(QPrinter &printer, QWidget *parent, const std::function<bool(QPrinter *)> &paint)> printPreview;
    // A file name to save to, "" when cancelled.
    std::function<QString(QWidget *parent, const QString &suggestedPath)> saveFileName;
    std::function<void(QWidget *parent, const PageProperties &properties)> showProperties;
    std::function<bool(const QUrl &url)> openExternally;
    // Fills user and password and returns true when the user signs in; false leaves the
    // server's own page for its refusal. Nothing is kept beyond the answer.
    using SignIn = std::function<bool(QWidget *parent, const SignInRequest &request, QString &user, QString &password)>;
    SignIn signIn;
    // A dialog of a page's script. Its window can be closed while it is up.
    using PageDialog = std::function<PageDialogAnswer(QWidget *parent, const PageDialogRequest &request)>;
    PageDialog pageDialog;
    // The home page address; "" means about:blank.
    std::function<QString()> homePage;
    // How long a page may leave our questions unanswered before it counts as hung.
    int notAnsweringMs = 15000;
};

// Qt's own dialogs and services.
BrowserUi defaultBrowserUi();

// Answers page's requests for a user name and password, a site's or a proxy's, with signIn
// (its dialogs parented to parent); without one, or cancelled, the server's own page shows.
// The gate decides whether the page may ask: after a Cancel neither the page shown nor the
// server asking gets another dialog for a while, whatever its frames and realms.
void answerSignIns(BrowserPage *page, QWidget *parent, const BrowserUi::SignIn &signIn,
                   std::shared_ptr<PageQuestionGate> gate);

// Shows the alert, confirm and prompt dialogs of page's script with dialog (parented to
// parent) as far as the gate lets the page shown raise them; the others are answered at
// once as cancelled.
void showScriptDialogs(BrowserPage *page, QWidget *parent, const BrowserUi::PageDialog &dialog,
                       std::shared_ptr<PageQuestionGate> gate);

// The origin the user is asked about: scheme, host and port.
QString siteOf(const QUrl &url);
// Milliseconds of a steady clock, one for every window of the program.
qint64 steadyMs();

} // namespace platform
