#include "app/settingsstore.h"
#include "browser/mainwindow.h"
#include "memo/memopadwindow.h"
#include "tests/browser/mainwindowtest.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

// The File, Edit and View commands of the main window against a browser double.
class TestForm1Commands : public MainWindowTest
{
    Q_OBJECT
private:
    void open(const QByteArray &settings = {})
    {
        QVERIFY(m_folder->write(u"Yura3.ini"_s, "[Data]\r\nFirstOpen=1\r\n" + settings));
        startWindow();
        browser()->calls.clear();
    }
    QString setting(const QString &section, const QString &key) const { return readSetting(section, key); }
    QTimer *reloadTimer() const { return m_window->findChild<QTimer *>(u"Timer2"_s); }
    QString offlineValue() const
    {
        return m_fake->registry.readStringValue(
            platform::registry::CurrentUser, platform::registry::InternetSettings.toString(), u"GlobalUserOffline"_s);
    }

private Q_SLOTS:
    void init() { setUpWindowTest(); }
    void cleanup()
    {
        QVERIFY(!m_fake->dialogs.hadUnexpected());
        tearDownWindowTest();
    }

    void textSizesSendZoomLevels()
    {
        open();
        const char *items[] = {"mnuVisiFont04", "mnuVisiFont03", "mnuVisiFont02",
                               "mnuVisiFont01", "mnuVisiFont00", "mnuVisiFont04"};
        for (const char *name : items)
            item(QLatin1String(name))->trigger();
        QCOMPARE(browser()->calls,
                 QStringList({u"setTextSize:0"_s, u"setTextSize:1"_s, u"setTextSize:2"_s, u"setTextSize:3"_s,
                              u"setTextSize:4"_s, u"setTextSize:0"_s}));
        QVERIFY(!item(u"mnuVisiFont04"_s)->isChecked());
    }

    void alwaysOnTopToggles()
    {
        open();
        QAction *onTop = item(u"mnuVisiWindowfoward"_s);
        onTop->trigger();
        QVERIFY(onTop->isChecked());
        QCOMPARE(m_fake->windows.alwaysOnTop(m_window.get()), true);
        QCOMPARE(setting(u"Data"_s, u"Windowfoward"_s), u"True"_s);
        onTop->trigger();
        QVERIFY(!onTop->isChecked());
        QCOMPARE(m_fake->windows.alwaysOnTop(m_window.get()), false);
        QCOMPARE(setting(u"Data"_s, u"Windowfoward"_s), u"False"_s);
    }

    void translucency_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("valueAfter");
        QTest::addColumn<int>("opacity"); // -1: not set
        QTest::addColumn<bool>("message");
        QTest::newRow("nothing stored") << QByteArray() << u"150"_s << 150 << false;
        QTest::newRow("200") << QByteArray("EXSTYLEValue=200\r\n") << u"200"_s << 200 << false;
        QTest::newRow("255") << QByteArray("EXSTYLEValue=255\r\n") << u"255"_s << 255 << true;
        QTest::newRow("not a number") << QByteArray("EXSTYLEValue=abc\r\n") << u"abc"_s << -1 << false;
        QTest::newRow("out of range") << QByteArray("EXSTYLEValue=300\r\n") << u"300"_s << -1 << false;
    }
    void translucency()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, valueAfter);
        QFETCH(int, opacity);
        QFETCH(bool, message);
        open(stored);
        QAction *translucent = item(u"mnuVisiWindowEXstyle"_s);
        QCOMPARE(translucent->shortcut(), QKeySequence(Qt::Key_F9));
        translucent->trigger();
        QVERIFY(translucent->isChecked());
        QCOMPARE(setting(u"Data"_s, u"EXSTYLE"_s), u"1"_s);
        QCOMPARE(setting(u"Data"_s, u"EXSTYLEValue"_s), valueAfter);
        QCOMPARE(m_fake->windows.opacity(m_window.get()).value_or(-1), opacity);
        QCOMPARE(messageText(), message ? u"透明度が255に設定されているので、変化しません。"_s : QString());

        translucent->trigger();
        QVERIFY(!translucent->isChecked());
        QCOMPARE(setting(u"Data"_s, u"EXSTYLE"_s), u"0"_s);
        QCOMPARE(m_fake->windows.opacity(m_window.get()), 255);
    }

    void autoReload()
    {
        open("[Window]\r\nAutoRe60=True\r\n");
        QAction *thirty = item(u"mnuToolAutoRe30"_s);
        QAction *sixty = item(u"mnuToolAutoRe60"_s);
        QVERIFY(sixty->isChecked());
        QVERIFY(reloadTimer()->isActive()); // restored marks reload too
        QCOMPARE(reloadTimer()->interval(), 60'000);

        thirty->trigger();
        QVERIFY(thirty->isChecked() && !sixty->isChecked());
        QCOMPARE(reloadTimer()->interval(), 30'000);
        QVERIFY(reloadTimer()->isActive());
        QCOMPARE(setting(u"Window"_s, u"AutoRe30"_s), u"True"_s);
        QCOMPARE(setting(u"Window"_s, u"AutoRe60"_s), u"True"_s); // the other key is left alone

        reloadTimer()->setInterval(1); // ticks at once rather than in half a minute
        QTRY_VERIFY(browser()->calls.contains(u"reload"_s));

        thirty->trigger();
        QVERIFY(!thirty->isChecked());
        QVERIFY(!reloadTimer()->isActive());
        QCOMPARE(setting(u"Window"_s, u"AutoRe30"_s), u"False"_s);
    }

    void sourceView_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<QString>("memo"); // "" : no memo pad
        QTest::addColumn<QString>("message");
        const QString lines = u"<p>a\r\nb\rc</p>"_s;
        QTest::newRow("html") << u"text/html"_s << lines << true << u"<p>a\nb\nc</p>"_s << QString();
        // The file is CP932 text; the memo pad still gets every character of the page.
        const QString beyondCp932 = u"<title>ソース – 😀 𠀋 俱</title>"_s;
        QTest::newRow("characters CP932 lacks") << u"text/html"_s << beyondCp932 << true << beyondCp932 << QString();
        QTest::newRow("picture") << u"image/png"_s << lines << true << QString() << QString();
        QTest::newRow("save fails") << u"text/html"_s << lines << false << QString()
                                    << u"文字コードの変換に失敗しました。"_s;
    }
    void sourceView()
    {
        QFETCH(QString, type);
        QFETCH(QString, html);
        QFETCH(bool, saves);
        QFETCH(QString, memo);
        QFETCH(QString, message);
        open();
        browser()->info.contentType = type;
        browser()->html = html;
        browser()->accepts = saves;
        item(u"mnuVisiSorce"_s)->trigger();
        QCOMPARE(bool(m_window->memoPad()), !memo.isEmpty());
        if (!memo.isEmpty()) {
            QCOMPARE(m_window->memoPad()->memoText(), memo);
            QVERIFY(QFile::exists(m_folder->filePath(u"TEST.HTM"_s)));
        }
        QCOMPARE(messageText(), message);
    }

    // The commands that hand the memo pad a whole new text leave the old one a Ctrl+Z away.
    void replacedMemoTextIsOneUndo_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("handed"); // how the new text starts
        QTest::newRow("ふせっこminiにコピー") << u"mnuEditFusekkoCopy"_s << u"選んだ文"_s;
        QTest::newRow("バグレポート") << u"mnuHelpBag"_s << u"お問い合わせは"_s;
        QTest::newRow("ソース") << u"mnuVisiSorce"_s << u"<p>ページ</p>"_s;
    }
    void replacedMemoTextIsOneUndo()
    {
        QFETCH(QString, command);
        QFETCH(QString, handed);
        open();
        browser()->selection = u"選んだ文"_s;
        browser()->info.contentType = u"text/html"_s;
        browser()->html = u"<p>ページ</p>"_s;
        item(u"mnuToolFusekko"_s)->trigger();
        MemoPadWindow *memo = m_window->memoPad();
        auto *text = memo->findChild<QPlainTextEdit *>(u"Text1"_s);
        const QString before = u"一行目のメモ\n二行目のメモ\n三行目のメモ"_s;
        text->insertPlainText(before);
        QTextCursor selection = text->textCursor();
        selection.setPosition(3);
        selection.setPosition(10, QTextCursor::KeepAnchor);
        text->setTextCursor(selection);

        item(command)->trigger();
        QVERIFY2(memo->memoText().startsWith(handed), qPrintable(memo->memoText()));
        QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(memo->memoText(), before);
    }

    // However the memo pad starts, a text left unsaved before is offered first.
    void memoPadStartOffersKeptText_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ふせっこmini") << u"mnuToolFusekko"_s << u"残したメモ"_s;
        QTest::newRow("ふせっこminiにコピー") << u"mnuEditFusekkoCopy"_s << u"選んだ文"_s;
    }
    void memoPadStartOffersKeptText()
    {
        QFETCH(QString, command);
        QFETCH(QString, shown);
        QVERIFY(m_folder->write(u"memo-unsaved.txt"_s, u"残したメモ"_s.toUtf8()));
        open();
        browser()->selection = u"選んだ文"_s;
        m_fake->dialogs.answerMessage(platform::MessageAnswer::Yes);
        item(command)->trigger();
        QCOMPARE(m_fake->dialogs.messageTexts(), QStringList {u"保存されていないメモがあります。復元しますか？"_s});
        MemoPadWindow *memo = m_window->memoPad();
        QCOMPARE(memo->memoText(), shown);
        memo->findChild<QPlainTextEdit *>(u"Text1"_s)->undo();
        if (shown != u"残したメモ")
            QCOMPARE(memo->memoText(), u"残したメモ"_s); // the handed text came after it
    }

    void openLocalFile()
    {
        open();
        QVERIFY(QDir(m_folder->path()).mkdir(u"pages"_s));
        const QString page = m_folder->filePath(u"pages/a.html"_s);
        m_fake->dialogs.answerOpenFile(page);
        item(u"mnuFileLoaclFileOpen"_s)->trigger();
        const platform::FileDialogRequest first = m_fake->dialogs.requests().last().file;
        QCOMPARE(first.title, u"ローカルファイルを開く"_s);
        QCOMPARE(first.folder, QDir::homePath());
        QCOMPARE(first.filterIndex, 1);
        QVERIFY(first.mustExist);
        QCOMPARE(
            first.filter,
            u"読み込み可能ファイル|*.htm;*.html;*.txt;*.mht;*.gif;*.jpeg;*.jpg;*.jpe;*.png;*.swf|"
            u"HTMLファイル(*.htm,*.html,*.mht)|*.htm;*.html;*.mht|テキスト(*.txt)|*.txt|"
            u"メディア(*.gif,*.jpeg,*.jpg,*.png,*.swf)|*.gif;*.jpeg;*.jpg;*.png;*.swf|すべてのファイル(*.*)|*.*|"_s);
        QCOMPARE(browser()->navigations(), QStringList {page});
        QCOMPARE(m_window->addressText(), page);

        // The simple-mode twin starts where the last file was; a cancel changes nothing.
        m_fake->dialogs.cancelOpenFile();
        item(u"mnuSimpleOpenFile"_s)->trigger();
        QCOMPARE(m_fake->dialogs.requests().last().file.folder, m_folder->filePath(u"pages"_s));
        QCOMPARE(browser()->navigations().size(), 1);
        QCOMPARE(m_window->addressText(), page);
    }

    void refusedCommands_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString noPage = u"表示されているページがありません。"_s;
        const QString noPreview = u"印刷プレビューが使用できません。IEをVer5.5以降にバージョンアップしてください。"_s;
        QTest::newRow("save") << u"mnuFileHozon"_s << noPage;
        QTest::newRow("save, simple") << u"mnuSimpleSaveFile"_s << noPage;
        QTest::newRow("properties") << u"mnuFilePropates"_s << noPage;
        QTest::newRow("page setup") << u"mnuFilePrintEditpage"_s << u"プリンタが設定されていません。"_s;
        QTest::newRow("print") << u"mnuFilePrintPrint"_s << u"印刷できませんでした。"_s;
        QTest::newRow("preview") << u"mnuFilePrintPrintPreview"_s << noPreview;
        QTest::newRow("preview, simple") << u"mnuSimplePrintP"_s << noPreview;
        QTest::newRow("page picture") << u"Image1"_s << noPage;
    }
    void refusedCommands()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        open();
        browser()->accepts = false;
        if (name == u"Image1")
            QTest::mouseClick(control<QLabel>(name), Qt::LeftButton);
        else
            item(name)->trigger();
        QCOMPARE(messageText(), message);
    }

    void printThatFailsLaterIsReported()
    {
        open();
        Q_EMIT browser()->printingEnded(false);
        QCOMPARE(messageText(), u"印刷できませんでした。"_s);
    }

    void editAndWindowCommands()
    {
        open();
        browser()->pageTitle = u"題"_s;
        item(u"mnuEditTitle"_s)->trigger();
        QCOMPARE(m_fake->clipboard.text(), u"題"_s);
        m_window->setAddressText(u"http://127.0.0.1/typed"_s);
        item(u"mnuEditURL"_s)->trigger();
        QCOMPARE(m_fake->clipboard.text(), u"http://127.0.0.1/typed"_s);
        for (const char *name : {"mnuEditCopy", "mnuEditAll", "mnuEditFind", "mnuSimpleSearch", "mnuFileNewIE"})
            item(QLatin1String(name))->trigger();
        QCOMPARE(browser()->calls,
                 QStringList({u"copy"_s, u"selectAll"_s, u"FindBar"_s, u"FindBar"_s, u"OpenInSystemBrowser"_s}));
        item(u"mnuFileNewWindow"_s)->trigger();
        item(u"mnuSimpleNewWindow"_s)->trigger();
        QCOMPARE(m_fake->processes.starts().size(), 2);
        QVERIFY(m_fake->processes.starts().first().self);
    }

    void offlineOnAndOff()
    {
        open();
        QAction *offline = item(u"mnuFileOffline"_s);
        offline->trigger();
        QVERIFY(offline->isChecked());
        QVERIFY(browser()->isOffline());
        QCOMPARE(offlineValue(), u"1"_s);
        offline->trigger();
        QVERIFY(!offline->isChecked());
        QVERIFY(!browser()->isOffline());
        QCOMPARE(offlineValue(), u"0"_s);
    }
};

QTEST_MAIN(TestForm1Commands)
#include "tst_mainwindowcommands.moc"
