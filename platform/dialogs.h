#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace platform {

// YesNoDefaultNo: Enter answers No, for questions a page can raise while the user types.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageIcon { None, Question, Information, Warning };
// Closing a Yes/No box any other way than Yes gives No.
enum class MessageAnswer { Ok, Yes, No };

struct FileDialogRequest
{
    QString title;
    // Pairs of a display name and ";"-separated patterns, each followed by "|":
    // "テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*|".
    QString filter;
    int filterIndex = 1;          // 1-based, into the pairs of filter
    QString folder;               // initial folder
    QString fileName;             // initial file name
    QString defaultExtension;     // "txt"; added when the chosen name has none
    bool overwritePrompt = false; // save: ask before replacing a file
    bool mustExist = false;       // open: only existing files
};

struct FileDialogResult
{
    bool accepted = false; // false: cancelled
    QString path;
    int filterIndex = 0; // 1-based, the filter in use when accepted
};

struct FontChoice
{
    QString name;
    double pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool strikeOut = false;
    bool underline = false;
    QColor color = Qt::black;

    bool operator==(const FontChoice &) const = default;
};

// The standard dialogs. Each call waits for the user and reports a cancel as such.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual MessageAnswer message(QWidget *parent, const QString &text, const QString &title, MessageButtons buttons,
                                  MessageIcon icon) = 0;
    // A Yes/No message; true only when the user answers Yes.
    bool askYesNo(QWidget *parent, const QString &text, const QString &title, MessageIcon icon = MessageIcon::Question,
                  MessageButtons buttons = MessageButtons::YesNo);
    // A Yes/No question a page raised, Enter answering No. Closing the window it stands
    // over still works while it is up, and answers No.
    virtual bool askAboutPage(QWidget *parent, const QString &text, const QString &title)
    {
        return askYesNo(parent, text, title, MessageIcon::Question, MessageButtons::YesNoDefaultNo);
    }
    virtual FileDialogResult openFile(QWidget *parent, const FileDialogRequest &request) = 0;
    virtual FileDialogResult saveFile(QWidget *parent, const FileDialogRequest &request) = 0;
    // withColor also lets the user pick the text colour. nullopt: cancelled.
    virtual std::optional<FontChoice> chooseFont(QWidget *parent, const QString &title, const FontChoice &initial,
                                                 bool withColor) = 0;
    // The printer keeps the user's choices; false: cancelled.
    virtual bool print(QWidget *parent, QPrinter &printer) = 0;
    virtual bool pageSetup(QWidget *parent, QPrinter &printer) = 0;
    // nullopt: cancelled.
    virtual std::optional<QString> chooseFolder(QWidget *parent, const QString &title,
                                                const QString &initialFolder) = 0;
};

// Runs dialog over its parent's window the way a window-modal dialog does, except that
// the window can still be closed: Qt drops a close request for a window that a modal
// dialog blocks, so a page raising one dialog after another could hold it open. A close
// request cancels the dialog and reaches the window once the caller has returned. Returns
// the dialog's result, Rejected if it went away; hold it in a QPointer.
int execClosable(QDialog *dialog);

// "name|patterns|..." as Qt name filters, "Name (*.a *.b)". "*.*" means every file, as
// on Windows, so it becomes "*".
QStringList qtNameFilters(const QString &filter);

// The path with ".extension" added when its file name has no extension.
QString withDefaultExtension(const QString &path, const QString &extension);

// Dialogs of Qt.
class QtDialogs : public Dialogs
{
public:
    MessageAnswer message(QWidget *parent, const QString &text, const QString &title, MessageButtons buttons,
                          MessageIcon icon) override;
    bool askAboutPage(QWidget *parent, const QString &text, const QString &title) override;
    FileDialogResult openFile(QWidget *parent, const FileDialogRequest &request) override;
    FileDialogResult saveFile(QWidget *parent, const FileDialogRequest &request) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const QString &title, const FontChoice &initial,
                                         bool withColor) override;
    bool print(QWidget *parent, QPrinter &printer) override;
    bool pageSetup(QWidget *parent, QPrinter &printer) override;
    std::optional<QString> chooseFolder(QWidget *parent, const QString &title, const QString &initialFolder) override;
};

} // namespace platform
