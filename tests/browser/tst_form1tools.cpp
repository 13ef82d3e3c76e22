#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "tests/browser/mainwindowtest.h"
#include "tools/translation.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

// The tools as the main window and start-up reach them.
class TestForm1Tools : public MainWindowTest
{
    Q_OBJECT
private:
    // Start-up as the program runs it, on the settings given.
    void startUp(const QByteArray &settings)
    {
        if (!settings.isEmpty())
            QVERIFY(m_folder->write(u"Yura3.ini"_s, settings));
        const bool due = RunStartup();
        m_window = std::make_unique<Form1>(m_fake->platform(), QString());
        ShowStartupWindows(*m_window, due);
    }
    void openToolsMenu() { Q_EMIT m_window->findChild<QMenu *>(u"mnuTool"_s)->aboutToShow(); }

private Q_SLOTS:
    void init() { setUpWindowTest(); }
    void cleanup()
    {
        QVERIFY2(!m_fake->dialogs.hadUnexpected(), qPrintable(m_fake->dialogs.unexpected().join(u'\n')));
        tearDownWindowTest();
    }

    void startUpShowsTheFirstRunDialogWhenDue_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no settings file") << QByteArray() << true;
        QTest::newRow("FirstOpen 0") << QByteArray("[Data]\r\nFirstOpen=0\r\n") << true;
        QTest::newRow("FirstOpen 1") << QByteArray("[Data]\r\nFirstOpen=1\r\nFavoritesFolder=/f\r\n") << false;
    }
    void startUpShowsTheFirstRunDialogWhenDue()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, shown);
        startUp(settings);
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_window->firstRunDialog() && m_window->firstRunDialog()->isVisible(), shown);
        // Until the dialog stores a folder, the tree shows the program folder.
        QCOMPARE(Settings().FavoritesFolder, shown ? ProgramFolderWithoutSeparator() : u"/f"_s);
    }

    void firstRunItemsOpenTheDialog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Tools menu") << u"mnuToolFirstOpen"_s;
        QTest::newRow("simple-mode menu") << u"mnuSimpleFirstDialog"_s;
    }
    void firstRunItemsOpenTheDialog()
    {
        QFETCH(QString, name);
        startUp("[Data]\r\nFirstOpen=1\r\n");
        QVERIFY(!m_window->firstRunDialog());
        item(name)->trigger();
        QVERIFY(m_window->firstRunDialog() && m_window->firstRunDialog()->isVisible());
    }

    void savedTranslucencyReachesTheMainWindow()
    {
        m_fake->shell.setFavoritesFolder(m_folder->path());
        startUp({});
        Form6 *dialog = m_window->firstRunDialog();
        QVERIFY(dialog);
        dialog->findChild<QCheckBox *>(u"Check4"_s)->click();
        dialog->findChild<QSlider *>(u"Slider1"_s)->setValue(140);
        m_fake->dialogs.answerMessage(MessageAnswer::Ok);
        dialog->findChild<QPushButton *>(u"Command2"_s)->click();
        QCOMPARE(m_fake->windows.opacity(m_window.get()), std::optional<int>(140));
        QVERIFY(item(u"mnuVisiWindowEXstyle"_s)->isChecked());
    }

    void cookieItemFollowsTheSettingWithoutRestart()
    {
        startUp("[Data]\r\nFirstOpen=1\r\n");
        QAction *cookies = item(u"mnuToolCookies"_s);
        openToolsMenu();
        QVERIFY(!cookies->isEnabled());
        QVERIFY(WriteSetting(u"Data"_s, u"CookiesEdit"_s, u"1"_s));
        openToolsMenu();
        QVERIFY(cookies->isEnabled());
        cookies->trigger();
        QVERIFY(m_window->cookieEditor() && m_window->cookieEditor()->isVisible());
    }

    void translationItemsNavigateTheMainWindow()
    {
        startUp("[Data]\r\nFirstOpen=1\r\n");
        // The address box's text is sent, not the page the browser shows.
        browser()->url = u"http://shown.test/"_s;
        const QString typed = u"http://typed.test/?a=1&b=2"_s;
        m_window->setAddressText(typed);
        const std::pair<QString, Translation> items[] = {
            {u"mnuVisihonyaku"_s, Translation::EnglishToJapanese}, {u"mnuVisihonyaku2"_s, Translation::JapaneseToEnglish},
            {u"mnuVisihonyaku3"_s, Translation::ChineseToJapanese}, {u"mnuVisihonyaku4"_s, Translation::JapaneseToChinese},
            {u"mnuVisihonyaku5"_s, Translation::KoreanToJapanese}, {u"mnuVisihonyaku6"_s, Translation::JapaneseToKorean},
        };
        for (const auto &[name, which] : items) {
            item(name)->trigger();
            QCOMPARE(browser()->calls.last(), u"Navigate:"_s + translation::requestAddress(which, typed));
        }
    }
};

QTEST_MAIN(TestForm1Tools)
#include "tst_form1tools.moc"
