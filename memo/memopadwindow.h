#pragma once

#include "memo/memotext.h"
#include "platform/platform.h"

#include <QMainWindow>

class BrowserHost;
class QAction;
class QMenu;
class QPlainTextEdit;
class QTextDocument;
class QTimer;

// The memo pad: a small plain-text editor that takes page titles, addresses and copied
// page text from the browser window, and keeps a backup of its text whenever it is asked
// to close. Text no file holds yet is kept in the program folder as it changes and
// offered back when the memo pad next starts.
class MemoPadWindow : public QMainWindow
{
    Q_OBJECT
public:
    MemoPadWindow(BrowserHost &host, platform::Platform services, QWidget *parent = nullptr);
    ~MemoPadWindow() override;

    // Replaces the whole text from outside (a change like any other; nothing is asked).
    void setMemoText(const QString &text);
    // Lines separated by "\n".
    QString memoText() const;
    QString documentPath() const { return m_path; }
    bool isLoading() const { return m_loading; }

    // Reads a file in the background and shows it when it is read; the title says so
    // meanwhile.
    void openFile(const QString &path);
    // Writes the text to the document path; on failure tells the user and returns false.
    bool saveToDocumentPath();

    // For the browser window's exit, which has already asked about the memo: keeps the
    // backup and closes without a question of its own.
    void closeForExit();

    // Asks whether to bring back the text an earlier memo pad left unsaved; Yes makes it
    // the (unsaved) text, No lets it go. Until answered, nothing replaces it.
    void offerUnsavedText();

Q_SIGNALS:
    // A file chosen to open has been read and shown, or could not be read.
    void fileOpened(const QString &path, bool ok);
    // The window accepted a close; its text is gone.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void setModified(bool modified);
    void keepUnsavedText();
    void finishOpen(const QString &path, const memo::FileFormat &format, QTextDocument *document, const QString &error);
    bool writeBackup();
    void replaceSelection(const QString &text);
    void transformSelection(QString (*transform)(const QString &));
    void showError(const QString &description);
    void rememberDialogPath(const QString &path);

    void startBlank();
    void chooseFileToOpen();
    void saveAs();
    void print();
    void mnuedit_Opening();
    void cutSelection();
    void copySelection();
    void paste();
    void capitalizeSelectedWords();
    void chooseFont();
    void toggleOnTop();

    BrowserHost &m_host;
    platform::Platform m_services;
    QPlainTextEdit *m_text = nullptr; // Text1
    QString m_path;
    memo::FileFormat m_format;
    quint64 m_loadGeneration = 0; // a newer open supersedes a read still running
    bool m_loading = false;
    QString m_titleBeforeLoad;
    bool m_closingForExit = false;
    QTimer *m_keepTimer = nullptr;
    bool m_keptTextUnanswered = false; // a copy left by an earlier memo pad waits for its question
    // One dialog object serves open, save and print, and keeps its last folder and name.
    QString m_dialogFolder;
    QString m_dialogFileName;

    QAction *m_cut = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_paste = nullptr;
    QAction *m_delete = nullptr;
    QAction *m_onTop = nullptr;
};
