#include "blocking/blocklist.h"
#include "blocking/blocklisteditor.h"
#include "blocking/javascript.h"
#include "blocking/persistfile.h"
#include "platform/files.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

class TestBlocking : public QObject
{
    Q_OBJECT
private:
    template <typename T> static T *child(QWidget *w, const QString &name) { return w->findChild<T *>(name); }

    // The editor over a fresh program folder holding list, its switch on.
    struct Editor
    {
        TempProgramFolder folder;
        FakePlatform fake;
        QAction onOff;
        std::unique_ptr<BlockListEditor> dialog;
        explicit Editor(const QByteArray &list = {})
        {
            if (!list.isEmpty())
                folder.write(u"blacklist.ini"_s, list);
            onOff.setCheckable(true);
            onOff.setChecked(true);
            dialog = std::make_unique<BlockListEditor>(fake.dialogs, &onOff);
        }
    };

private Q_SLOTS:
    void matching_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("entry"); // "" = not blocked
        QTest::newRow("two letters anywhere") << QByteArray("ad\r\n") << u"http://x.test/load.htm"_s << u"ad"_s;
        QTest::newRow("capitals do not match") << QByteArray("AD\r\n") << u"http://x.test/load.htm"_s << QString();
        QTest::newRow("empty lines block nothing") << QByteArray("\r\n\r\n") << u"http://x.test/"_s << QString();
        QTest::newRow("first matching line wins")
            << QByteArray("zz\r\nx.test\r\n.test\r\n") << u"http://x.test/"_s << u"x.test"_s;
        QTest::newRow("trailing space belongs to the entry")
            << QByteArray("a \r\n") << u"http://a.test/"_s << QString();
        QTest::newRow("LF only, blank lines between") << QByteArray("one\n\n\ntwo\n") << u"http://two/"_s << u"two"_s;
        QTest::newRow("Japanese entry in CP932")
            << QByteArray("\x8d\x4c\x8d\x90\r\n") << u"http://x/広告/"_s << u"広告"_s;
        QTest::newRow("no file content") << QByteArray() << u"http://x/"_s << QString();
    }
    void matching()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, address);
        QFETCH(QString, entry);
        const auto found = blocklist::firstMatch(blocklist::parse(file), address);
        QCOMPARE(found.value_or(QString()), entry);
    }

    void unstorableCharacter_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("refused"); // "" = kept whole
        QTest::newRow("ASCII") << u"ad?q="_s << QString();
        QTest::newRow("Japanese") << u"広告ｶﾅ①髙"_s << QString();
        QTest::newRow("accented letter") << u"café"_s << u"é"_s;
        QTest::newRow("outside the BMP") << u"広告\U0001F600x"_s << u"\U0001F600"_s;
        QTest::newRow("first of several") << u"a€é"_s << u"€"_s;
        QTest::newRow("wave dash CP932 lacks") << u"a〜b"_s << u"〜"_s;
        QTest::newRow("line break") << u"one\ntwo"_s << u"\n"_s;
    }
    void unstorableCharacter()
    {
        QFETCH(QString, entry);
        QFETCH(QString, refused);
        QCOMPARE(blocklist::firstUnstorableCharacter(entry).value_or(QString()), refused);
    }

    // Each change of the file is seen, however it was made: replaced by a rename, rewritten
    // in place with the same size, removed.
    void cacheFollowsTheFile()
    {
        TempProgramFolder folder;
        const QString path = blocklist::filePath();
        blocklist::ListCache cache;
        QVERIFY(cache.entries(path).isEmpty());
        QVERIFY(blocklist::write(path, {u"aaa"_s}));
        QCOMPARE(cache.entries(path), QStringList {u"aaa"_s});
        QVERIFY(blocklist::write(path, {u"bbb"_s}));
        QCOMPARE(cache.entries(path), QStringList {u"bbb"_s});
        QVERIFY(folder.write(u"blacklist.ini"_s, "ccc\r\n\r\n"));
        QCOMPARE(cache.entries(path), QStringList {u"ccc"_s});
        QVERIFY(QFile::remove(path));
        QVERIFY(cache.entries(path).isEmpty());
    }

    void missingFileHasNoEntries()
    {
        TempProgramFolder folder;
        QVERIFY(blocklist::read(blocklist::filePath()).isEmpty());
        QCOMPARE(blocklist::blockedMessage(u"ad"_s), u"『ad』が、URLに含まれているので、読み込みを中止しました。"_s);
    }

    void editorLoadsAndSwitches()
    {
        Editor e("one\r\n\r\ntwo\r\n\r\n");
        auto &[folder, fake, onOff, dialog] = e;
        BlockListEditor &editor = *dialog;
        auto *list = child<QListWidget>(&editor, u"ListView1"_s);
        QCOMPARE(editor.entries(), QStringList({u"one"_s, u"two"_s})); // blank lines dropped
        QVERIFY(list->isEnabled());
        QVERIFY(!child<QPushButton>(&editor, u"Command1"_s)->isEnabled());
        QVERIFY(!child<QPushButton>(&editor, u"Command2"_s)->isEnabled());
        QCOMPARE(child<QCheckBox>(&editor, u"Check1"_s)->toolTip(), u"非表示機能のON,OFF"_s);
        QCOMPARE(editor.windowTitle(), u"ページ、ウィンドウ非表示機能"_s);
        // Switch off and save: the file stays, blocking goes off.
        child<QCheckBox>(&editor, u"Check1"_s)->click();
        QVERIFY(!list->isEnabled());
        QVERIFY(!child<QLineEdit>(&editor, u"Text1"_s)->isEnabled());
        fake.dialogs.answerMessage(MessageAnswer::Ok);
        child<QPushButton>(&editor, u"OKButton"_s)->click();
        QVERIFY(!onOff.isChecked());
        QCOMPARE(folder.read(u"blacklist.ini"_s), QByteArray("one\r\ntwo\r\n\r\n"));
        const auto &saved = fake.dialogs.requests().last();
        QCOMPARE(saved.title, u"設定完了"_s);
        QCOMPARE(saved.icon, platform::MessageIcon::Warning);
        QVERIFY(saved.text.startsWith(u"設定が完了しました。\r\n\r\n登録する文字列には気をつけてください。"_s));
        // And on again.
        BlockListEditor again(fake.dialogs, &onOff);
        QVERIFY(!child<QCheckBox>(&again, u"Check1"_s)->isChecked());
        child<QCheckBox>(&again, u"Check1"_s)->click();
        fake.dialogs.answerMessage(MessageAnswer::Ok);
        child<QPushButton>(&again, u"OKButton"_s)->click();
        QVERIFY(onOff.isChecked());
    }

    void addAndDelete_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("byKeys"); // the entry to delete chosen with the keys
        QTest::newRow("Yes") << MessageAnswer::Yes << false;
        QTest::newRow("No") << MessageAnswer::No << false;
        QTest::newRow("Yes, chosen with the keys") << MessageAnswer::Yes << true;
    }
    void addAndDelete()
    {
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, byKeys);
        const bool yes = answer == MessageAnswer::Yes;
        Editor e("old\r\n");
        auto &[folder, fake, onOff, dialog] = e;
        BlockListEditor &editor = *dialog;
        auto *text = child<QLineEdit>(&editor, u"Text1"_s);
        auto *add = child<QPushButton>(&editor, u"Command1"_s);
        auto *remove = child<QPushButton>(&editor, u"Command2"_s);
        auto *list = child<QListWidget>(&editor, u"ListView1"_s);
        QTest::keyClicks(text, u"new "_s);
        QVERIFY(add->isEnabled());
        fake.dialogs.answerMessage(answer);
        add->click();
        QCOMPARE(fake.dialogs.requests().last().text, u"文字列リストに追加しますか？"_s);
        QCOMPARE(fake.dialogs.requests().last().title, u"追加"_s);
        QCOMPARE(editor.entries(), yes ? QStringList({u"old"_s, u"new "_s}) : QStringList {u"old"_s});
        QCOMPARE(text->text(), yes ? QString() : u"new "_s);
        QCOMPARE(add->isEnabled(), !yes);

        if (byKeys)
            QTest::keyClick(list, Qt::Key_Down);
        else
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(list->currentRow(), 0);
        QVERIFY(remove->isEnabled());
        fake.dialogs.answerMessage(answer);
        remove->click();
        QCOMPARE(fake.dialogs.requests().last().text, u"選択文字列を削除していいですか？"_s);
        QCOMPARE(editor.entries().contains(u"old"_s), !yes);
        QCOMPARE(remove->isEnabled(), !yes);
        // Cancel leaves the file.
        child<QPushButton>(&editor, u"ChButton"_s)->click();
        QCOMPARE(folder.read(u"blacklist.ini"_s), QByteArray("old\r\n"));
    }

    void entryTheFileCannotKeepIsRefused()
    {
        Editor e;
        auto &[folder, fake, onOff, dialog] = e;
        BlockListEditor &editor = *dialog;
        auto *text = child<QLineEdit>(&editor, u"Text1"_s);
        text->setText(u"広告\U0001F600"_s);
        fake.dialogs.answerMessage(MessageAnswer::Ok);
        child<QPushButton>(&editor, u"Command1"_s)->click();
        QCOMPARE(fake.dialogs.requests().size(), 1); // refused before asking
        QVERIFY(fake.dialogs.messageTexts().first().startsWith(u"「\U0001F600」（U+1F600）"_s));
        QVERIFY(editor.entries().isEmpty());
        QCOMPARE(text->text(), u"広告\U0001F600"_s);
    }

    void savingAnEmptyListWritesOneEmptyLine()
    {
        Editor e;
        auto &[folder, fake, onOff, dialog] = e;
        BlockListEditor &editor = *dialog;
        QVERIFY(editor.entries().isEmpty()); // no file: empty and usable
        fake.dialogs.answerMessage(MessageAnswer::Ok);
        child<QPushButton>(&editor, u"OKButton"_s)->click();
        QCOMPARE(folder.read(u"blacklist.ini"_s), QByteArray("\r\n"));
    }

    // A list of 100,000 entries opens in the editor and is saved back byte for byte; the
    // last entry still stops an address.
    void hundredThousandEntries()
    {
        QByteArray file;
        for (int i = 0; i < 100'000; ++i)
            file += "ad" + QByteArray::number(i) + ".example\r\n";
        file += "\r\n";
        Editor e(file);
        auto &[folder, fake, onOff, dialog] = e;
        QCOMPARE(dialog->entries().size(), 100'000);
        fake.dialogs.answerMessage(MessageAnswer::Ok);
        child<QPushButton>(dialog.get(), u"OKButton"_s)->click();
        QCOMPARE(folder.read(u"blacklist.ini"_s), file);
        QCOMPARE(blocklist::firstMatch(blocklist::read(blocklist::filePath()), u"http://ad99999.example/"_s),
                 std::optional<QString>(u"ad99999.example"_s));
    }

    void failedSaveSaysWhyAndStaysOpen()
    {
        Editor e;
        auto &[folder, fake, onOff, dialog] = e;
        BlockListEditor &editor = *dialog;
        QVERIFY(QDir(folder.path()).mkdir(u"blacklist.ini"_s)); // a folder in the way
        QString reason;
        QVERIFY(!platform::writeFileAtomically(folder.filePath(u"blacklist.ini"_s), "", &reason));
        QSignalSpy closed(&editor, &QDialog::finished);
        child<QLineEdit>(&editor, u"Text1"_s)->setText(u"ad"_s);
        fake.dialogs.answerMessage(MessageAnswer::Yes);
        child<QPushButton>(&editor, u"Command1"_s)->click();
        child<QCheckBox>(&editor, u"Check1"_s)->click();
        fake.dialogs.answerMessage(MessageAnswer::Ok);
        child<QPushButton>(&editor, u"OKButton"_s)->click();
        const auto &shown = fake.dialogs.requests().last();
        QCOMPARE(shown.title, u"設定エラー"_s);
        QVERIFY2(shown.text.contains(reason), qPrintable(shown.text));
        QCOMPARE(closed.size(), 0);
        QCOMPARE(editor.entries(), QStringList {u"ad"_s});
        QVERIFY(onOff.isChecked()); // nothing saved, nothing switched
    }

    void persistFile()
    {
        PersistFile persist;
        try {
            persist.save(u"/tmp/x"_s, true, [](int) {});
            QFAIL("no error raised");
        } catch (const PersistError &error) {
            QCOMPARE(error.number, 91);
        }
        QObject notADocument;
        try {
            persist.setObject(&notADocument);
            QFAIL("no error raised");
        } catch (const PersistError &error) {
            QCOMPARE(error.number, PersistFile::kNoInterface);
        }
        try {
            persist.save(u"/tmp/x"_s, true, [](int) {});
            QFAIL("no error raised");
        } catch (const PersistError &error) {
            QCOMPARE(error.number, 91);
        }
        QWidget host;
        FakeBrowser browser(&host);
        browser.accepts = false;
        persist.setObject(&browser);
        int code = 0;
        persist.save(u"/nonexistent-dir/TEST.HTM"_s, true, [&code](int result) { code = result; });
        QCOMPARE(code, PersistFile::kFailed);
    }

    void windowCloseScript_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result");
        QTest::newRow("exact") << u"javascript:window.close();"_s << 1;
        QTest::newRow("capital J") << u"Javascript:window.close();"_s << 0;
        QTest::newRow("no semicolon") << u"javascript:window.close()"_s << 0;
    }
    void windowCloseScript()
    {
        QFETCH(QString, text);
        QFETCH(int, result);
        QCOMPARE(int(isWindowCloseScript(text)), result);
    }
};

QTEST_MAIN(TestBlocking)
#include "tst_blocking.moc"
