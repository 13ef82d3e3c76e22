#include "app/singlewindow.h"
#include "memo/memopadwindow.h"
#include "memo/memotext.h"
#include "platform/codepage.h"
#include "tests/support/fakebrowserhost.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

#include <sys/stat.h>

#include <memory>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

// The memo pad against a fake browser window and scripted dialogs.
class TestMemoPadWindow : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<FakeBrowserHost> m_host;
    QPointer<MemoPadWindow> m_memo;

    QPlainTextEdit *text() const { return m_memo->findChild<QPlainTextEdit *>(u"Text1"_s); }
    QAction *item(const char *name) const { return m_memo->findChild<QAction *>(QLatin1String(name)); }
    QString path(const QString &name) const { return m_folder->filePath(name); }
    QString title() const { return m_memo->windowTitle(); }
    void type(const QString &typed) { text()->insertPlainText(typed); }
    void openAndWait(const QString &file)
    {
        QSignalSpy opened(m_memo.data(), &MemoPadWindow::fileOpened);
        m_fake->dialogs.answerOpenFile(file);
        item("mnufileopen")->trigger();
        QVERIFY(opened.wait());
    }
    void select(int start, int end)
    {
        QTextCursor cursor = text()->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        text()->setTextCursor(cursor);
    }
    QString lastMessage() const
    {
        const QStringList texts = m_fake->dialogs.messageTexts();
        return texts.isEmpty() ? QString() : texts.last();
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        m_fake = std::make_unique<FakePlatform>();
        m_host = std::make_unique<FakeBrowserHost>();
        m_memo = new MemoPadWindow(*m_host, m_fake->platform());
        bringToFront(m_memo);
    }
    void cleanup()
    {
        delete m_memo.data();
        QVERIFY(!m_fake->dialogs.hadUnexpected());
        m_host.reset();
        m_fake.reset();
        m_folder.reset();
    }

    void titles()
    {
        QCOMPARE(title(), u"ふせっこmini"_s);
        QCOMPARE(text()->font().family(), u"ＭＳ Ｐゴシック"_s);
        type(u"x"_s);
        QCOMPARE(title(), u"ふせっこmini（変更あり） - []"_s);

        const QString file = path(u"memo.txt"_s);
        QVERIFY(m_folder->write(u"memo.txt"_s, ansi::encode(u"日本語\r\n二行目\r\n")));
        QSignalSpy opened(m_memo.data(), &MemoPadWindow::fileOpened);
        m_fake->dialogs.answerOpenFile(file);
        item("mnufileopen")->trigger();
        // The file is read in the background; the title says so meanwhile.
        QCOMPARE(title(), u"読み込み中・・・ ["_s + file + u"]"_s);
        QVERIFY(opened.wait());
        QCOMPARE(title(), u"ふせっこmini - ["_s + file + u"]"_s);
        QCOMPARE(m_memo->memoText(), u"日本語\n二行目"_s);
        QCOMPARE(text()->document()->defaultFont().family(),
                 u"ＭＳ Ｐゴシック"_s); // read in the background, shown in the memo's font
        const platform::FileDialogRequest &request = m_fake->dialogs.requests().last().file;
        QVERIFY(request.mustExist);
        QCOMPARE(request.filter,
                 u"テキストファイル、HTMLファイル(*.txt,*.htm,*.html)|*.txt;*.htm;*.html|すべてのファイル(*.*)|*.*|"_s);

        type(u"!"_s);
        item("mnufileahozon")->trigger();
        QCOMPARE(title(), u"ふせっこmini - ["_s + file + u"]"_s);
        QCOMPARE(m_folder->read(u"memo.txt"_s), ansi::encode(u"!日本語\r\n二行目\r\n"));
    }

    void saveAsAndSaveErrors()
    {
        type(u"abc"_s);
        m_fake->dialogs.answerMessage(MessageAnswer::Ok);
        item("mnufileahozon")->trigger(); // no document yet
        QCOMPARE(m_fake->dialogs.messageTexts().size(), 1);
        QCOMPARE(title(), u"ふせっこmini（変更あり） - []"_s);

        m_fake->dialogs.answerSaveFile(path(u"saved"_s));
        item("mnufilebhozon")->trigger();
        const platform::FileDialogRequest &request = m_fake->dialogs.requests().last().file;
        QCOMPARE(request.title, u"名前を付けて保存"_s);
        QCOMPARE(request.defaultExtension, u"txt"_s);
        QVERIFY(request.overwritePrompt);
        QCOMPARE(request.folder, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
        QCOMPARE(m_folder->read(u"saved.txt"_s), QByteArray("abc\r\n"));
        QCOMPARE(title(), u"ふせっこmini - ["_s + path(u"saved.txt"_s) + u"]"_s);

        m_fake->dialogs.answerMessage(MessageAnswer::Yes);
        item("mnufilenew")->trigger();
        QCOMPARE(m_fake->dialogs.requests().last().text, u"全削除しますか？"_s);
        item("mnufileahozon")->trigger();
        QCOMPARE(m_folder->read(u"saved.txt"_s), QByteArray("\r\n"));

        // A folder in the way: the old title stays and the user is told.
        QVERIFY(QDir(m_folder->path()).mkdir(u"taken.txt"_s));
        type(u"z"_s);
        m_fake->dialogs.answerSaveFile(path(u"taken.txt"_s));
        m_fake->dialogs.answerMessage(MessageAnswer::Ok);
        item("mnufilebhozon")->trigger();
        QVERIFY(!lastMessage().isEmpty());
        QCOMPARE(title(), u"ふせっこmini（変更あり） - ["_s + path(u"saved.txt"_s) + u"]"_s);
    }

    void readingAgainAndClosingMidRead()
    {
        QVERIFY(m_folder->write(u"a.txt"_s, "first"));
        QVERIFY(m_folder->write(u"b.txt"_s, "second"));
        openAndWait(path(u"a.txt"_s));
        openAndWait(path(u"b.txt"_s)); // takes the place of the document read before
        QCOMPARE(m_memo->memoText(), u"second"_s);
        type(u"!"_s);
        text()->undo();
        QCOMPARE(m_memo->memoText(), u"second"_s);
        // Closed while the document is still being built: it is let go, never shown.
        m_fake->dialogs.answerOpenFile(path(u"a.txt"_s));
        item("mnufileopen")->trigger();
        delete m_memo.data();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Only regular files of a size a memo can take are read; the rest get the system's
    // message and the text stays, a FIFO without holding the reading thread.
    void unreadableFileKeepsText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("folder") << u"folder"_s << qt_error_string(EISDIR);
        QTest::newRow("device") << u"/dev/zero"_s << qt_error_string(EINVAL);
        QTest::newRow("FIFO") << u"fifo"_s << qt_error_string(EINVAL);
        QTest::newRow("larger than the limit") << u"large"_s << qt_error_string(EFBIG);
        QTest::newRow("missing") << u"missing"_s << qt_error_string(ENOENT);
    }
    void unreadableFileKeepsText()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QString file = kind.startsWith(u'/') ? kind : path(kind);
        if (kind == u"folder")
            file = m_folder->path();
        if (kind == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        if (kind == u"large") {
            QFile large(file); // sparse: no disk is filled
            QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(memo::kMaxFileBytes + 1));
        }
        type(u"keep"_s);
        const QString before = title();
        QSignalSpy opened(m_memo.data(), &MemoPadWindow::fileOpened);
        m_fake->dialogs.answerOpenFile(file);
        m_fake->dialogs.answerMessage(MessageAnswer::Ok);
        item("mnufileopen")->trigger();
        QVERIFY(opened.wait());
        QCOMPARE(opened.first().at(1).toBool(), false);
        QCOMPARE(m_memo->memoText(), u"keep"_s);
        QCOMPARE(title(), before);
        QCOMPARE(m_fake->dialogs.messageTexts(), QStringList {message});
    }

    // Text handed in while a file is still being read stays; the file is not shown over it.
    void handedTextWinsOverARead()
    {
        QVERIFY(m_folder->write(u"big.txt"_s, QByteArray(4 << 20, 'x')));
        QSignalSpy opened(m_memo.data(), &MemoPadWindow::fileOpened);
        m_memo->openFile(path(u"big.txt"_s));
        QVERIFY(m_memo->isLoading());
        m_memo->setMemoText(u"報告書\r\n本文"_s);
        QThreadPool::globalInstance()->waitForDone();
        QTest::qWait(100);
        QCOMPARE(m_memo->memoText(), u"報告書\n本文"_s);
        QVERIFY(!m_memo->isLoading());
        QVERIFY(!text()->isReadOnly());
        QVERIFY(opened.isEmpty());
    }

    void closeKeepsBackup_data()
    {
        QTest::addColumn<bool>("answerYes");
        QTest::newRow("no keeps the window") << false;
        QTest::newRow("yes closes") << true;
    }
    void closeKeepsBackup()
    {
        QFETCH(bool, answerYes);
        type(u"メモ"_s);
        QSignalSpy closed(m_memo.data(), &MemoPadWindow::closed);
        m_fake->dialogs.answerMessage(answerYes ? MessageAnswer::Yes : MessageAnswer::No);
        QCOMPARE(m_memo->close(), answerYes);
        const QString backup = path(u"fusekkobackup.txt"_s);
        QCOMPARE(m_folder->read(u"fusekkobackup.txt"_s), ansi::encode(u"メモ\r\n"));
        QCOMPARE(m_fake->dialogs.requests().last().text, u"ふせっこminiを閉じますか？"_s);
        QCOMPARE(m_fake->dialogs.requests().last().title, u"閉じる"_s);
        QCOMPARE(closed.size(), answerYes ? 1 : 0);
        if (!answerYes) {
            QCOMPARE(title(), u"ふせっこmini - ["_s + backup + u"]"_s);
            QVERIFY(m_memo->isVisible());
        }
    }

    // What is typed reaches the program folder within a second, as UTF-8 whatever the
    // characters, and stays there until a file holds it or nothing is left to lose.
    void unsavedTextIsKept_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("left"); // what memo-unsaved.txt holds afterwards, "" gone
        const QString kept = u"メモ–😀\n𠀋"_s;
        QTest::newRow("saved") << u"save"_s << QString();
        QTest::newRow("closed, answered yes") << u"close yes"_s << QString();
        QTest::newRow("closed, answered no (the backup holds it)") << u"close no"_s << QString();
        QTest::newRow("emptied") << u"empty"_s << QString();
        QTest::newRow("save fails") << u"save fails"_s << kept;
        QTest::newRow("window gone without a close") << u"deleted"_s << kept + u"!"_s;
    }
    void unsavedTextIsKept()
    {
        QFETCH(QString, then);
        QFETCH(QString, left);
        const QString kept = u"memo-unsaved.txt"_s;
        type(u"メモ–😀\n𠀋"_s);
        QTRY_COMPARE(m_folder->read(kept), u"メモ–😀\n𠀋"_s.toUtf8());
        if (then == u"save") {
            m_fake->dialogs.answerSaveFile(path(u"saved.txt"_s));
            item("mnufilebhozon")->trigger();
        } else if (then.startsWith(u"close")) {
            m_fake->dialogs.answerMessage(then == u"close yes" ? MessageAnswer::Yes : MessageAnswer::No);
            m_memo->close();
        } else if (then == u"empty") {
            item("mnueditall")->trigger();
            item("mnueditdel")->trigger();
            QTRY_VERIFY(!QFile::exists(path(kept)));
        } else if (then == u"save fails") {
            m_fake->dialogs.answerMessage(MessageAnswer::Ok); // no file name yet
            item("mnufileahozon")->trigger();
        } else {
            type(u"!"_s);
            delete m_memo.data();
        }
        QCOMPARE(QString::fromUtf8(m_folder->read(kept)), left);
    }

    // The next memo pad asks about a kept text before anything can take its place.
    void keptTextIsOffered_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("answer"); // "" : nothing asked
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("stays");
        const QByteArray text = u"一行目 – 😀\n二行目 俱"_s.toUtf8();
        QTest::newRow("yes brings it back") << text << u"yes"_s << QString::fromUtf8(text) << true;
        QTest::newRow("no lets it go") << text << u"no"_s << QString() << false;
        QTest::newRow("empty: nothing to ask") << QByteArray() << QString() << QString() << false;
    }
    void keptTextIsOffered()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QFETCH(bool, stays);
        delete m_memo.data();
        QVERIFY(m_folder->write(u"memo-unsaved.txt"_s, stored));
        m_memo = new MemoPadWindow(*m_host, m_fake->platform());
        bringToFront(m_memo);
        if (!answer.isEmpty())
            m_fake->dialogs.answerMessage(answer == u"yes" ? MessageAnswer::Yes : MessageAnswer::No);
        m_memo->offerUnsavedText();
        QCOMPARE(m_fake->dialogs.messageTexts(),
                 answer.isEmpty() ? QStringList() : QStringList {u"保存されていないメモがあります。復元しますか？"_s});
        QCOMPARE(m_memo->memoText(), shown);
        if (!shown.isEmpty())
            QCOMPARE(title(), u"ふせっこmini（変更あり） - []"_s);
        QCOMPARE(m_folder->read(u"memo-unsaved.txt"_s), stays ? stored : QByteArray());
    }

    void keptTextWaitsForItsAnswer()
    {
        delete m_memo.data();
        QVERIFY(m_folder->write(u"memo-unsaved.txt"_s, "前のメモ"));
        m_memo = new MemoPadWindow(*m_host, m_fake->platform());
        type(u"新しい"_s);
        delete m_memo.data(); // what a crash or the program's end leaves
        QCOMPARE(m_folder->read(u"memo-unsaved.txt"_s), QByteArray("前のメモ"));
    }

    void failedBackupStillAsks()
    {
        QVERIFY(QDir(m_folder->path()).mkdir(u"fusekkobackup.txt"_s));
        m_fake->dialogs.answerMessage(MessageAnswer::Ok);
        m_fake->dialogs.answerMessage(MessageAnswer::No);
        QVERIFY(!m_memo->close());
        QCOMPARE(m_fake->dialogs.requests().size(), 2);
        QCOMPARE(m_fake->dialogs.requests().first().buttons, platform::MessageButtons::Ok);
        QCOMPARE(lastMessage(), u"ふせっこminiを閉じますか？"_s);
    }

    void editMenuStates_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("nothing") << false << QString();
        QTest::newRow("selection") << true << QString();
        QTest::newRow("clipboard text") << false << u"x"_s;
    }
    void editMenuStates()
    {
        QFETCH(bool, selected);
        QFETCH(QString, clipboard);
        type(u"abc"_s);
        if (selected)
            select(0, 2);
        m_fake->clipboard.setText(clipboard);
        QMenu *edit = m_memo->findChild<QMenu *>(u"mnuedit"_s);
        Q_EMIT edit->aboutToShow();
        for (const char *name : {"mnueditcut", "mnueditcopy", "mnueditdel"})
            QCOMPARE(item(name)->isEnabled(), selected);
        QCOMPARE(item("mnueditpaste")->isEnabled(), !clipboard.isEmpty());
        for (const char *name : {"mnueditack", "mnueditall", "mnueditname", "mnuediturl", "mnueditdate"})
            QVERIFY(item(name)->isEnabled());
    }

    void editCommands()
    {
        m_host->fakeBrowser->pageTitle = u"ページ"_s;
        m_host->fakeBrowser->url = u"http://127.0.0.1/a"_s;
        item("mnueditname")->trigger();
        item("mnuediturl")->trigger();
        QCOMPARE(m_memo->memoText(), u"ページhttp://127.0.0.1/a"_s);

        select(0, 3);
        item("mnueditcut")->trigger();
        QCOMPARE(m_fake->clipboard.text(), u"ページ"_s);
        item("mnueditpaste")->trigger();
        item("mnueditpaste")->trigger();
        QCOMPARE(m_memo->memoText(), u"ページページhttp://127.0.0.1/a"_s);
        item("mnueditall")->trigger();
        item("mnueditdel")->trigger();
        QCOMPARE(m_memo->memoText(), QString());

        item("mnueditdate")->trigger();
        item("mnueditdate")->trigger();
        const QStringList lines = m_memo->memoText().split(u'\n');
        QCOMPARE(lines.size(), 3);
        for (int i = 0; i < 2; ++i)
            QVERIFY2(lines[i].startsWith(u"[ "_s) && lines[i].endsWith(u" ]"_s), qPrintable(lines[i]));
        QCOMPARE(lines[2], QString());
    }

    void caseCommands()
    {
        m_memo->setMemoText(u"ａｂｃ abc\r\nhELLO wORLD"_s);
        select(0, 5);
        item("mnuvisucase")->trigger();
        QCOMPARE(m_memo->memoText(), u"ＡＢＣ Abc\nhELLO wORLD"_s);
        select(0, 3);
        item("mnuvislcase")->trigger();
        QCOMPARE(m_memo->memoText(), u"ａｂｃ Abc\nhELLO wORLD"_s);

        select(4, 6);
        item("mnuvissenntou")->trigger();
        QCOMPARE(m_memo->memoText(), u"Ａｂｃ Abc\nHello World"_s);
        QCOMPARE(text()->textCursor().position(), 0);
        QVERIFY(!text()->textCursor().hasSelection());
    }

    void fontDialog()
    {
        m_fake->dialogs.cancelFont();
        item("mnuvisfont")->trigger();
        const platform::FontChoice preset = m_fake->dialogs.requests().last().font;
        QCOMPARE(preset.name, u"ＭＳ Ｐゴシック"_s);
        QCOMPARE(preset.pointSize, 12.0);
        QVERIFY(m_fake->dialogs.requests().last().withColor);
        QCOMPARE(m_fake->dialogs.requests().last().title, u"フォント設定"_s);

        platform::FontChoice chosen {u"IPAGothic"_s, 20, true, false, true, false, Qt::red};
        m_fake->dialogs.answerFont(chosen);
        item("mnuvisfont")->trigger();
        QCOMPARE(text()->font().family(), u"IPAGothic"_s);
        QVERIFY(text()->font().bold() && text()->font().strikeOut());
        QCOMPARE(text()->palette().color(QPalette::Text), QColor(Qt::red));

        m_fake->dialogs.cancelFont(); // a cancel keeps the font chosen before
        item("mnuvisfont")->trigger();
        QCOMPARE(text()->font().family(), u"IPAGothic"_s);
    }

    void printWritesTheText()
    {
        type(u"printed"_s);
        const QString pdf = path(u"out.pdf"_s);
        m_fake->dialogs.answerPrint(true, [&pdf](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
        });
        item("mnufileprint")->trigger();
        QVERIFY(m_folder->read(u"out.pdf"_s).startsWith("%PDF"));
    }
};

QTEST_MAIN(TestMemoPadWindow)
#include "tst_memopadwindow.moc"
