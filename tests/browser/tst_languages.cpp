#include "browser/mainwindow.h"
#include "browser/qttranslation.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"
#include "tools/languagedialog.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestLanguages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void header_data()
    {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("header");
        QTest::newRow("one") << QStringList {u"ja"_s} << u"ja"_s;
        QTest::newRow("three") << QStringList {u"ja"_s, u"en-US"_s, u"en"_s} << u"ja,en-US;q=0.9,en;q=0.8"_s;
        QTest::newRow("none") << QStringList {} << QString();
        QStringList many;
        for (int i = 0; i < 12; ++i)
            many.append(u"x%1"_s.arg(i));
        QTest::newRow("weights stop at 0.1")
            << many
            << u"x0,x1;q=0.9,x2;q=0.8,x3;q=0.7,x4;q=0.6,x5;q=0.5,x6;q=0.4,x7;q=0.3,x8;q=0.2,x9;q=0.1,x10;q=0.1,x11;q=0.1"_s;
    }
    void header()
    {
        QFETCH(QStringList, languages);
        QFETCH(QString, header);
        QCOMPARE(languages::acceptLanguageHeader(languages), header);
        QCOMPARE(languages::languagesFromHeader(header), languages);
    }

    void parseForeignHeaders_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QStringList>("languages");
        QTest::newRow("spaces and weights") << u" ja ; q=1 , en-US;q=0.5"_s << QStringList {u"ja"_s, u"en-US"_s};
        QTest::newRow("duplicates and blanks") << u"ja,,JA,en"_s << QStringList {u"ja"_s, u"en"_s};
        QTest::newRow("junk dropped") << u"ja,<b>,en us,fr"_s << QStringList {u"ja"_s, u"fr"_s};
    }
    void parseForeignHeaders()
    {
        QFETCH(QString, header);
        QFETCH(QStringList, languages);
        QCOMPARE(languages::languagesFromHeader(header), languages);
    }

    void headerToSend_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("sent");
        QTest::newRow("nothing stored: Japanese first") << QString() << u"ja,en;q=0.9"_s;
        QTest::newRow("junk only: the default") << u"<b>, ;q=1"_s << u"ja,en;q=0.9"_s;
        QTest::newRow("the user's order, weights rewritten") << u"en;q=0.3,ja"_s << u"en,ja;q=0.9"_s;
    }
    void headerToSend()
    {
        QFETCH(QString, stored);
        QFETCH(QString, sent);
        QCOMPARE(languages::headerToSend(stored), sent);
    }

    void dialogOrdersAndStores()
    {
        TempProgramFolder folder;
        FakePlatform fake;
        MainWindow window(fake.platform(), {});
        languages::store(fake.registry, u"ja,en;q=0.9,de;q=0.8"_s);
        // Move "de" up one and accept, as a person would.
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<LanguageDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *list = dialog->findChild<QListWidget *>(u"languageList"_s);
            list->setCurrentRow(2);
            dialog->findChild<QPushButton *>(u"up"_s)->click();
            dialog->accept();
        });
        window.menuItem(u"mnuVisiManiaLang"_s)->trigger();
        QCOMPARE(languages::stored(fake.registry), u"ja,de;q=0.9,en;q=0.8"_s);
        QCOMPARE(fake.browsers.acceptLanguage, u"ja,de;q=0.9,en;q=0.8"_s);
    }

    void cancelledDialogStoresNothing()
    {
        TempProgramFolder folder;
        FakePlatform fake;
        MainWindow window(fake.platform(), {});
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<LanguageDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QPushButton *>(u"remove"_s)->click();
            dialog->reject();
        });
        window.menuItem(u"mnuVisiManiaLang"_s)->trigger();
        QCOMPARE(languages::stored(fake.registry), QString());
        QCOMPARE(fake.browsers.acceptLanguage, QString());
    }

    void standardButtonsSpeakJapanese()
    {
        QVERIFY(installQtTranslation(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"はい(&Y)"_s);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"キャンセル"_s);
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
