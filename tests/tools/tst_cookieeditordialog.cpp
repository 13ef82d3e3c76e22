#include "tests/support/fakeplatform.h"
#include "tools/cookieeditordialog.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

// The cookie editor with the fake browser profile: which deletions run and what is said.
class TestCookieEditorDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void deleteAll_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("engineFails");
        QTest::addColumn<int>("deletions");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("messages");
        const QString ask = u"ホントに全削除してよろしいですか？"_s;
        QTest::newRow("No deletes nothing")
            << MessageAnswer::No << false << 0 << QStringList {u"a.txt"_s, u"b.dat"_s} << QStringList {ask};
        QTest::newRow("Yes deletes the cookies and the .txt files")
            << MessageAnswer::Yes << false << 1 << QStringList {u"b.dat"_s}
            << QStringList {ask, u"全削除が終了しました。"_s};
        QTest::newRow("a failed deletion says so") << MessageAnswer::Yes << true << 1 << QStringList {u"b.dat"_s}
                                                   << QStringList {ask, u"削除できませんでした。"_s};
    }
    void deleteAll()
    {
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, engineFails);
        QFETCH(int, deletions);
        QFETCH(QStringList, left);
        QFETCH(QStringList, messages);
        QTemporaryDir profile;
        for (const QString &name : {u"a.txt"_s, u"b.dat"_s}) {
            QFile file(profile.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        FakePlatform fake;
        fake.browsers.cookieFolderPath = profile.path();
        fake.browsers.cookieDeletionFails = engineFails;
        fake.dialogs.answerMessage(answer);
        if (answer == MessageAnswer::Yes)
            fake.dialogs.answerMessage(MessageAnswer::Ok);
        CookieEditorDialog editor(fake.platform());
        editor.findChild<QPushButton *>(u"Command1"_s)->click();

        QCOMPARE(fake.browsers.cookieDeletions, deletions);
        QStringList found = QDir(profile.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(found, left);
        QCOMPARE(fake.dialogs.messageTexts(), messages);
        QCOMPARE(fake.dialogs.requests().first().title, u"全削除"_s);
        QCOMPARE(fake.dialogs.requests().first().icon, platform::MessageIcon::None);
        QVERIFY(!fake.dialogs.hadUnexpected());
    }

    void opensTheCookieFolder()
    {
        FakePlatform fake;
        fake.browsers.cookieFolderPath = u"/profile/folder"_s;
        CookieEditorDialog editor(fake.platform());
        editor.findChild<QPushButton *>(u"Command2"_s)->click();
        QCOMPARE(fake.shell.openedFolders(), QStringList {u"/profile/folder"_s});
    }
};

QTEST_MAIN(TestCookieEditorDialog)
#include "tst_cookieeditordialog.moc"
