#include "app/startup.h"
#include "blocking/blocklisteditor.h"
#include "linktool/linktoolwindow.h"
#include "memo/memopadwindow.h"
#include "tests/support/fakebrowserhost.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/smalldisk.h"
#include "tests/support/tempprogramfolder.h"
#include "tools/firstrundialog.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

using Fault = SmallDisk::Fault;

// Every window that stores a file, meeting a full disk or a read-only folder: the file it
// had stays byte for byte, nothing half-written is left beside it, and the user hears of it.
class TestDiskFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesFailWithoutLoss_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<Fault>("fault");
        for (const char *writer : {"first-run settings", "memo", "block list", "link export"}) {
            QTest::addRow("%s, disk full", writer) << QString::fromLatin1(writer) << Fault::DiskFull;
            QTest::addRow("%s, read-only", writer) << QString::fromLatin1(writer) << Fault::ReadOnly;
        }
    }
    void writesFailWithoutLoss()
    {
        QFETCH(QString, writer);
        QFETCH(Fault, fault);
        TempProgramFolder folder;
        SmallDisk disk(folder.path());
        if (!disk.isMounted())
            QSKIP("mounting a tmpfs needs root");
        FakePlatform fake;
        FakeBrowserHost host;
        QTemporaryDir elsewhere; // outside the small disk
        fake.shell.setFavoritesFolder(elsewhere.path());

        const QString fileName = writer == u"first-run settings"_s ? u"Yura3.ini"_s
            : writer == u"memo"_s                                  ? u"memo.txt"_s
            : writer == u"block list"_s                            ? u"blacklist.ini"_s
                                                                   : u"links.htm"_s;
        const QByteArray before = "[Data]\r\nFavoritesFolder=/old\r\nold\r\n";
        QVERIFY(folder.write(fileName, before));
        const QString path = folder.filePath(fileName);

        QAction blockingSwitch;
        std::unique_ptr<QWidget> window;
        std::function<void()> write;
        QString toldTitle;
        if (writer == u"first-run settings"_s) {
            runStartup();
            auto *dialog = new FirstRunDialog(fake.platform());
            window.reset(dialog);
            dialog->load();
            write = [dialog] { dialog->findChild<QPushButton *>(u"Command2"_s)->click(); };
            toldTitle = u"初回設定ダイアログ"_s;
        } else if (writer == u"memo"_s) {
            auto *memo = new MemoPadWindow(host, fake.platform());
            window.reset(memo);
            fake.dialogs.answerOpenFile(path);
            memo->findChild<QAction *>(u"mnufileopen"_s)->trigger();
            QTRY_COMPARE(memo->memoText(), QString::fromLatin1(before).chopped(2).replace(u"\r\n"_s, u"\n"_s));
            write = [memo] {
                memo->setMemoText(QString(5000, u'新'));
                memo->findChild<QAction *>(u"mnufileahozon"_s)->trigger();
            };
            toldTitle = u"ゆらぎね"_s;
        } else if (writer == u"block list"_s) {
            blockingSwitch.setCheckable(true);
            blockingSwitch.setChecked(true);
            auto *editor = new BlockListEditor(fake.dialogs, &blockingSwitch);
            window.reset(editor);
            write = [editor, &fake] {
                editor->findChild<QLineEdit *>(u"Text1"_s)->setText(u"new"_s);
                fake.dialogs.answerMessage(MessageAnswer::Yes);
                editor->findChild<QPushButton *>(u"Command1"_s)->click();
                editor->findChild<QPushButton *>(u"OKButton"_s)->click();
            };
            toldTitle = u"設定エラー"_s;
        } else {
            host.address = u"http://s.test/p.htm"_s;
            auto *tool = new LinkToolWindow(host, fake.platform());
            window.reset(tool);
            fake.transfer.setText(QUrl(host.address), u"<a href=\"x.htm\">x</a>"_s.repeated(200));
            fake.dialogs.answerSaveFile(path);
            write = [tool] {
                tool->findChild<QPushButton *>(u"Command1"_s)->click();
                QTRY_VERIFY(!tool->isRunning());
            };
            toldTitle = u"ゆらぎね"_s;
        }
        window->show();
        const QByteArray stored = folder.read(fileName);
        QVERIFY(!stored.isEmpty());

        QVERIFY(disk.apply(fault));
        const QStringList entries = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        fake.dialogs.answerMessage(MessageAnswer::Ok);
        write();

        QCOMPARE(folder.read(fileName), stored);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), entries);
        QCOMPARE(fake.dialogs.unansweredCount(), 0);
        const auto &told = fake.dialogs.requests().last();
        QCOMPARE(told.kind, ScriptedDialogs::Kind::Message);
        QCOMPARE(told.title, toldTitle);
        QVERIFY2(!told.text.contains(u"完了"_s) && !told.text.contains(u"終了"_s), qPrintable(told.text));
        QVERIFY(window->isVisible()); // still there for another try
        QVERIFY(!fake.dialogs.hadUnexpected());
    }
};

QTEST_MAIN(TestDiskFaults)
#include "tst_diskfaults.moc"
