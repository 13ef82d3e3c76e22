#include "memo/memopadwindow.h"

#include "app/browserhost.h"
#include "app/settingsstore.h"
#include "app/windowtranslucency.h"
#include "memo/unsavedmemo.h"
#include "platform/files.h"
#include "platform/fonts.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QThread>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kCaption = u"ふせっこmini"_s;
const QString kFilter =
    u"テキストファイル、HTMLファイル(*.txt,*.htm,*.html)|*.txt;*.htm;*.html|すべてのファイル(*.*)|*.*|"_s;
const QString kFontName = u"ＭＳ Ｐゴシック"_s;
constexpr int kFontSize = 12;
// How late the kept copy of unsaved text may be: a crash loses at most this much typing.
constexpr int kKeepDelayMs = 1000;

// Deleted in its own thread: a document nobody took may be let go by the reading thread.
struct DeleteLater
{
    void operator()(QObject *object) const { object->deleteLater(); }
};
using DocumentPtr = std::unique_ptr<QTextDocument, DeleteLater>;

struct ReadResult
{
    memo::FileFormat format;
    DocumentPtr document; // null when the file could not be read
    QString error;
};

// Reads, decodes and builds the document away from the window: for a large file building
// the document takes longer than reading it, and the window stays usable meanwhile. The
// document is handed over to the window's thread.
ReadResult readMemoFile(const QString &path, QThread *windowThread)
{
    // Opened without waiting (a FIFO would hold this thread, and the program's end, until
    // a writer came), then kept only when it is a regular file of a size a memo can take.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {{}, nullptr, qt_error_string(errno)};
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {{}, nullptr, file.errorString()};
    }
    struct stat status
    { };
    if (::fstat(fd, &status) != 0)
        return {{}, nullptr, qt_error_string(errno)};
    if (S_ISDIR(status.st_mode))
        return {{}, nullptr, qt_error_string(EISDIR)};
    if (!S_ISREG(status.st_mode))
        return {{}, nullptr, qt_error_string(EINVAL)};
    if (status.st_size > memo::kMaxFileBytes)
        return {{}, nullptr, qt_error_string(EFBIG)};
    // A file that grows meanwhile is not read past the limit either.
    const QByteArray bytes = file.read(memo::kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, nullptr, file.errorString()};
    if (bytes.size() > memo::kMaxFileBytes)
        return {{}, nullptr, qt_error_string(EFBIG)};
    const memo::LoadedText loaded = memo::decodeFile(bytes);
    DocumentPtr document(new QTextDocument);
    document->setPlainText(loaded.text);
    document->moveToThread(windowThread);
    return {loaded.format, std::move(document), {}};
}

QString lowerCase(const QString &text)
{
    return text.toLower();
}
QString upperCase(const QString &text)
{
    return text.toUpper();
}

// The memo kept at exit is the program's own file; the ones the user opens and saves
// are their documents.
QString backupPath()
{
    return programFolder() + u"fusekkobackup.txt"_s;
}

} // namespace

MemoPadWindow::MemoPadWindow(BrowserHost &host, platform::Platform services, QWidget *parent)
    : QMainWindow(parent)
    , m_host(host)
    , m_services(services)
{
    setObjectName(u"Form2"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kCaption);
    platform::mapWindowsJapaneseFonts();

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"Text1"_s);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setFont(QFont(kFontName, kFontSize));
    setCentralWidget(m_text);
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] { setModified(true); });

    m_keepTimer = new QTimer(this);
    m_keepTimer->setSingleShot(true);
    m_keepTimer->setInterval(kKeepDelayMs);
    connect(m_keepTimer, &QTimer::timeout, this, &MemoPadWindow::keepUnsavedText);
    m_keptTextUnanswered = QFile::exists(memo::unsavedCopyPath());

    buildMenus();
    resize(480, 360);
}

MemoPadWindow::~MemoPadWindow()
{
    // Gone without a close (the program ending): the last changes are kept too.
    if (m_keepTimer->isActive())
        keepUnsavedText();
}

void MemoPadWindow::buildMenus()
{
    auto menu = [this](const char16_t *name, const QString &caption) {
        QMenu *m = menuBar()->addMenu(caption);
        m->setObjectName(QString::fromUtf16(name));
        m->menuAction()->setObjectName(QString::fromUtf16(name));
        return m;
    };
    auto item = [this](QMenu *m, const char16_t *name, const QString &caption, const QKeySequence &keys, auto handler) {
        QAction *a = m->addAction(caption);
        a->setObjectName(QString::fromUtf16(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separator = [](QMenu *m, const char16_t *name) { m->addSeparator()->setObjectName(QString::fromUtf16(name)); };

    QMenu *file = menu(u"mnufile", u"ファイル(&F)"_s);
    item(file, u"mnufilenew", u"白紙に戻す(&N)"_s, {}, &MemoPadWindow::startBlank);
    item(file, u"mnufileopen", u"開く(&O)"_s, {}, &MemoPadWindow::chooseFileToOpen);
    item(file, u"mnufileahozon", u"上書き保存(&A)"_s, {}, [this] { saveToDocumentPath(); });
    item(file, u"mnufilebhozon", u"名前を付けて保存(&B)"_s, {}, &MemoPadWindow::saveAs);
    separator(file, u"mnufilehai1");
    item(file, u"mnufileprint", u"印刷...(&P)"_s, {}, &MemoPadWindow::print);
    separator(file, u"mnufilehai2");
    item(file, u"mnufileend", u"閉じる(&E)"_s, {}, [this] { close(); });

    QMenu *edit = menu(u"mnuedit", u"編集(&E)"_s);
    connect(edit, &QMenu::aboutToShow, this, &MemoPadWindow::mnuedit_Opening);
    item(edit, u"mnueditack", u"元に戻す(&U)"_s, QKeySequence(u"Ctrl+Z"_s), [this] {
        m_text->setFocus();
        m_text->undo();
    });
    separator(edit, u"mnuedithai1");
    m_cut = item(edit, u"mnueditcut", u"切り取り(&T)"_s, QKeySequence(u"Ctrl+X"_s), &MemoPadWindow::cutSelection);
    m_copy = item(edit, u"mnueditcopy", u"コピー(&C)"_s, QKeySequence(u"Ctrl+C"_s), &MemoPadWindow::copySelection);
    m_paste = item(edit, u"mnueditpaste", u"貼り付け(&P)"_s, QKeySequence(u"Ctrl+V"_s), &MemoPadWindow::paste);
    m_delete = item(edit, u"mnueditdel", u"削除(&D)"_s, QKeySequence(Qt::Key_Delete), [this] { replaceSelection({}); });
    separator(edit, u"mnuedithai2");
    item(edit, u"mnueditall", u"すべての範囲を選択(&A)"_s, QKeySequence(u"Ctrl+A"_s), [this] { m_text->selectAll(); });
    separator(edit, u"mnuedithai3");
    item(edit, u"mnueditname", u"現在のページタイトルを貼り付け(&N)"_s, QKeySequence(u"Ctrl+T"_s), [this] {
        const platform::BrowserComponent *browser = m_host.browser();
        replaceSelection(browser ? browser->title() : QString());
    });
    item(edit, u"mnuediturl", u"現在のURLを貼り付け(&U)"_s, QKeySequence(u"Ctrl+U"_s), [this] {
        const platform::BrowserComponent *browser = m_host.browser();
        replaceSelection(browser ? browser->address() : QString());
    });
    item(edit, u"mnueditdate", u"現在の日時を貼り付け(&D)"_s, QKeySequence(u"Ctrl+D"_s),
         [this] { replaceSelection(memo::dateStamp(QDateTime::currentDateTime())); });

    QMenu *view = menu(u"mnuvis", u"表示(&V)"_s);
    item(view, u"mnuvislcase", u"選択英字を小文字変換(&L)"_s, {}, [this] { transformSelection(lowerCase); });
    item(view, u"mnuvisucase", u"選択英字を大文字変換(&U)"_s, {}, [this] { transformSelection(upperCase); });
    item(view, u"mnuvissenntou", u"英単語の先頭を大文字変換(&T)"_s, {}, &MemoPadWindow::capitalizeSelectedWords);
    separator(view, u"mnuvishai1");
    item(view, u"mnuvisfont", u"フォント設定...(&F)"_s, {}, &MemoPadWindow::chooseFont);
    separator(view, u"mnuvishai2");
    m_onTop = item(view, u"mnuvisfor", u"ふせっこを常に手前に表示(&M)"_s, {}, &MemoPadWindow::toggleOnTop);
    m_onTop->setCheckable(true);
    offerWindowEffects(m_services.windows, {m_onTop});
}

void MemoPadWindow::setModified(bool modified)
{
    if (modified) {
        // Not restarted by every key: while the user types, a copy still goes out each
        // second.
        if (!m_keepTimer->isActive())
            m_keepTimer->start();
    } else {
        m_keepTimer->stop();
        if (!m_keptTextUnanswered)
            memo::discardUnsavedCopy();
    }
    if (m_loading)
        return;
    setWindowTitle((modified ? kCaption + u"（変更あり）"_s : kCaption) + u" - ["_s + m_path + u"]"_s);
}

void MemoPadWindow::setMemoText(const QString &text)
{
    // The newest request wins: a file still being read is not shown over this text.
    if (m_loading) {
        ++m_loadGeneration;
        m_loading = false;
        m_text->setReadOnly(false);
        setWindowTitle(m_titleBeforeLoad);
    }
    QString lines = text;
    lines.replace(u"\r\n"_s, u"\n"_s);
    // setPlainText would clear the undo stack; as one edit the text it replaces is one
    // Ctrl+Z away.
    QTextCursor cursor(m_text->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(lines);
    cursor.endEditBlock();
    // A report or a page's source is read from its top.
    cursor.movePosition(QTextCursor::Start);
    m_text->setTextCursor(cursor);
}

QString MemoPadWindow::memoText() const
{
    // The raw text keeps no-break spaces that toPlainText() would turn into blanks.
    QString text = m_text->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void MemoPadWindow::openFile(const QString &path)
{
    if (!m_loading)
        m_titleBeforeLoad = windowTitle();
    m_loading = true;
    setWindowTitle(u"読み込み中・・・ ["_s + path + u"]"_s);
    m_text->setReadOnly(true);
    const quint64 generation = ++m_loadGeneration;

    auto *watcher = new QFutureWatcher<ReadResult>(this);
    connect(watcher, &QFutureWatcher<ReadResult>::finished, this, [this, watcher, path, generation] {
        watcher->deleteLater();
        if (generation != m_loadGeneration)
            return;
        ReadResult result = watcher->future().takeResult();
        finishOpen(path, result.format, result.document.release(), result.error);
    });
    watcher->setFuture(QtConcurrent::run(readMemoFile, path, thread()));
}

void MemoPadWindow::finishOpen(const QString &path, const memo::FileFormat &format, QTextDocument *document,
                               const QString &error)
{
    m_loading = false;
    m_text->setReadOnly(false);
    if (!document) {
        // The text is unchanged, so the title must not claim the file either.
        setWindowTitle(m_titleBeforeLoad);
        showError(error);
        Q_EMIT fileOpened(path, false);
        return;
    }
    m_path = path;
    m_format = format;
    // The new document takes over what the editor set on its own: font, wrapping, margins.
    QTextDocument *shown = m_text->document();
    document->setDefaultFont(shown->defaultFont());
    document->setDefaultTextOption(shown->defaultTextOption());
    document->setDocumentMargin(shown->documentMargin());
    document->setModified(false);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setParent(m_text);
    // The editor deletes only the document it made itself; one read before is ours.
    const bool readBefore = shown->parent() == m_text;
    m_text->setDocument(document);
    if (readBefore)
        delete shown;
    setModified(false);
    Q_EMIT fileOpened(path, true);
}

bool MemoPadWindow::saveToDocumentPath()
{
    QString error;
    if (m_path.isEmpty()) {
        error = u"ファイル名が正しくありません。"_s;
    } else if (platform::writeFileAtomically(m_path, memo::encodeFile(memoText(), m_format), &error,
                                             {.access = m_path == backupPath() ? platform::FileAccess::Private
                                                                               : platform::FileAccess::Document})) {
        setModified(false);
        return true;
    }
    showError(error);
    return false;
}

void MemoPadWindow::showError(const QString &description)
{
    m_services.dialogs.message(this, description, QStringLiteral("ゆらぎね"), platform::MessageButtons::Ok,
                               platform::MessageIcon::Warning);
}

void MemoPadWindow::rememberDialogPath(const QString &path)
{
    const QFileInfo info(path);
    m_dialogFolder = info.absolutePath();
    m_dialogFileName = info.fileName();
}

void MemoPadWindow::startBlank()
{
    if (m_services.dialogs.askYesNo(this, u"全削除しますか？"_s, u"白紙に戻す"_s))
        m_text->setPlainText({});
}

void MemoPadWindow::chooseFileToOpen()
{
    platform::FileDialogRequest request;
    request.filter = kFilter;
    request.folder = m_dialogFolder;
    request.fileName = m_dialogFileName;
    request.mustExist = true;
    QPointer<MemoPadWindow> self(this);
    const platform::FileDialogResult chosen = m_services.dialogs.openFile(this, request);
    if (!self || !chosen.accepted)
        return;
    rememberDialogPath(chosen.path);
    openFile(chosen.path);
}

void MemoPadWindow::saveAs()
{
    platform::FileDialogRequest request;
    request.title = u"名前を付けて保存"_s;
    request.filter = kFilter;
    request.defaultExtension = u"txt"_s;
    request.overwritePrompt = true;
    request.folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    request.fileName = m_dialogFileName;
    QPointer<MemoPadWindow> self(this);
    const platform::FileDialogResult chosen = m_services.dialogs.saveFile(this, request);
    if (!self || !chosen.accepted || chosen.path.isEmpty())
        return;
    rememberDialogPath(chosen.path);
    m_path = chosen.path;
    saveToDocumentPath();
}

void MemoPadWindow::print()
{
    QPrinter printer;
    QPointer<MemoPadWindow> self(this);
    if (!m_services.dialogs.print(this, printer) || !self)
        return;
    m_text->print(&printer);
}

bool MemoPadWindow::writeBackup()
{
    m_path = backupPath();
    return saveToDocumentPath();
}

void MemoPadWindow::keepUnsavedText()
{
    m_keepTimer->stop();
    if (m_keptTextUnanswered)
        return;
    // An empty memo loses nothing; no question about it at the next start.
    const QString text = memoText();
    if (text.isEmpty())
        memo::discardUnsavedCopy();
    else
        memo::keepUnsavedCopy(text); // a failure is tried again with the next change
}

void MemoPadWindow::offerUnsavedText()
{
    if (!m_keptTextUnanswered)
        return;
    const std::optional<QString> kept = memo::readUnsavedCopy();
    QPointer<MemoPadWindow> self(this);
    const bool restore = kept && !kept->isEmpty()
        && m_services.dialogs.askYesNo(this, u"保存されていないメモがあります。復元しますか？"_s, kCaption);
    if (!self)
        return;
    m_keptTextUnanswered = false;
    if (restore) {
        // No file name: the text was never saved, and no file is overwritten by it unasked.
        setMemoText(*kept);
    } else {
        memo::discardUnsavedCopy();
    }
}

void MemoPadWindow::closeForExit()
{
    m_closingForExit = true;
    close();
}

void MemoPadWindow::closeEvent(QCloseEvent *event)
{
    writeBackup();
    if (!m_closingForExit && !m_services.dialogs.askYesNo(this, u"ふせっこminiを閉じますか？"_s, u"閉じる"_s)) {
        event->ignore();
        return;
    }
    event->accept();
    Q_EMIT closed();
}

void MemoPadWindow::mnuedit_Opening()
{
    const bool selected = m_text->textCursor().hasSelection();
    m_cut->setEnabled(selected);
    m_copy->setEnabled(selected);
    m_delete->setEnabled(selected);
    m_paste->setEnabled(!m_services.clipboard.text().isEmpty());
}

void MemoPadWindow::replaceSelection(const QString &text)
{
    QTextCursor cursor = m_text->textCursor();
    cursor.insertText(text);
    m_text->setTextCursor(cursor);
}

void MemoPadWindow::transformSelection(QString (*transform)(const QString &))
{
    QTextCursor cursor = m_text->textCursor();
    if (!cursor.hasSelection())
        return;
    const int start = cursor.selectionStart();
    const QString replaced = transform(cursor.selection().toPlainText());
    cursor.insertText(replaced);
    cursor.setPosition(start);
    cursor.setPosition(start + int(replaced.size()), QTextCursor::KeepAnchor);
    m_text->setTextCursor(cursor);
}

void MemoPadWindow::cutSelection()
{
    const QTextCursor cursor = m_text->textCursor();
    if (!cursor.hasSelection())
        return;
    m_services.clipboard.setText(cursor.selection().toPlainText());
    replaceSelection({});
}

void MemoPadWindow::copySelection()
{
    const QTextCursor cursor = m_text->textCursor();
    if (cursor.hasSelection())
        m_services.clipboard.setText(cursor.selection().toPlainText());
}

void MemoPadWindow::paste()
{
    replaceSelection(m_services.clipboard.text());
}

void MemoPadWindow::capitalizeSelectedWords()
{
    const QString capitalized = memo::capitalizeWords(memoText());
    QTextCursor cursor = m_text->textCursor();
    cursor.select(QTextCursor::Document);
    cursor.insertText(capitalized);
    cursor.movePosition(QTextCursor::Start);
    m_text->setTextCursor(cursor);
}

void MemoPadWindow::chooseFont()
{
    platform::FontChoice preset;
    preset.name = kFontName;
    preset.pointSize = kFontSize;
    QPointer<MemoPadWindow> self(this);
    const std::optional<platform::FontChoice> chosen =
        m_services.dialogs.chooseFont(this, u"フォント設定"_s, preset, true);
    if (!self || !chosen)
        return;
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Text, chosen->color);
    m_text->setPalette(palette);
    QFont font(chosen->name);
    font.setPointSizeF(chosen->pointSize);
    font.setBold(chosen->bold);
    font.setItalic(chosen->italic);
    font.setStrikeOut(chosen->strikeOut);
    font.setUnderline(chosen->underline);
    m_text->setFont(font);
}

void MemoPadWindow::toggleOnTop()
{
    m_services.windows.setAlwaysOnTop(this, m_onTop->isChecked());
}
