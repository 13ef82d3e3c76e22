#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QPrinter;
class QWidget;

class QWebEnginePage;

namespace platform {

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
    // The home page address; "" means about:blank.
    std::function<QString()> homePage;
};

// Qt's own dialogs and services.
BrowserUi defaultBrowserUi();

// Answers page's requests for a user name and password, a site's or a proxy's, with signIn
// (its dialogs parented to parent); without one, or cancelled, the server's own page shows.
// After a Cancel the same server and realm are not asked about again for ten seconds.
void answerSignIns(QWebEnginePage *page, QWidget *parent, const BrowserUi::SignIn &signIn);

} // namespace platform
