#include "app/maker.h"
#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "memo/memopadwindow.h"
#include "tests/browser/mainwindowtest.h"
#include "tools/translation.h"

#include <QLabel>

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
        const bool due = runStartup();
        m_window = std::make_unique<MainWindow>(m_fake->platform(), QString());
        showStartupWindows(*m_window, due);
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
        QCOMPARE(m_window->parts().tools->firstRunDialog() && m_window->parts().tools->firstRunDialog()->isVisible(),
                 shown);
        // Until the dialog stores a folder, the tree shows the program folder.
        QCOMPARE(settingsRecord().FavoritesFolder, shown ? programFolderWithoutSeparator() : u"/f"_s);
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
        QVERIFY(!m_window->parts().tools->firstRunDialog());
        item(name)->trigger();
        QVERIFY(m_window->parts().tools->firstRunDialog() && m_window->parts().tools->firstRunDialog()->isVisible());
    }

    void savedTranslucencyReachesTheMainWindow()
    {
        m_fake->shell.setFavoritesFolder(m_folder->path());
        startUp({});
        FirstRunDialog *dialog = m_window->parts().tools->firstRunDialog();
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
        QVERIFY(writeSetting(u"Data"_s, u"CookiesEdit"_s, u"1"_s));
        openToolsMenu();
        QVERIFY(cookies->isEnabled());
        cookies->trigger();
        QVERIFY(m_window->parts().tools->cookieEditor() && m_window->parts().tools->cookieEditor()->isVisible());
    }

    void translationItemsNavigateTheMainWindow()
    {
        startUp("[Data]\r\nFirstOpen=1\r\n");
        // The address box's text is sent, not the page the browser shows.
        browser()->url = u"http://shown.test/"_s;
        const QString typed = u"http://typed.test/?a=1&b=2"_s;
        m_window->setAddressText(typed);
        const std::pair<QString, Translation> items[] = {
            {u"mnuVisihonyaku"_s, Translation::EnglishToJapanese},
            {u"mnuVisihonyaku2"_s, Translation::JapaneseToEnglish},
            {u"mnuVisihonyaku3"_s, Translation::ChineseToJapanese},
            {u"mnuVisihonyaku4"_s, Translation::JapaneseToChinese},
            {u"mnuVisihonyaku5"_s, Translation::KoreanToJapanese},
            {u"mnuVisihonyaku6"_s, Translation::JapaneseToKorean},
        };
        QStringList order; // separators after the second and the fourth
        for (QAction *action : m_window->findChild<QMenu *>(u"mnuToolT"_s)->actions())
            order.append(action->isSeparator() ? u"-"_s : action->objectName());
        QCOMPARE(order,
                 QStringList({u"mnuVisihonyaku"_s, u"mnuVisihonyaku2"_s, u"-"_s, u"mnuVisihonyaku3"_s,
                              u"mnuVisihonyaku4"_s, u"-"_s, u"mnuVisihonyaku5"_s, u"mnuVisihonyaku6"_s}));
        for (const auto &[name, which] : items) {
            item(name)->trigger();
            QCOMPARE(browser()->calls.last(), u"navigate:"_s + translation::requestAddress(which, typed));
        }
        // Only web pages are sent away.
        for (const QString &local : {u"file:///home/u/秘密.htm"_s, u"/home/u/a.htm"_s, u"ftp://f.test/"_s}) {
            m_window->setAddressText(local);
            const qsizetype before = browser()->calls.size();
            item(u"mnuVisihonyaku"_s)->trigger();
            QCOMPARE(browser()->calls.size(), before);
            QCOMPARE(messageText(), u"このページは翻訳できません（翻訳できるのは http と https のページだけです）。"_s);
        }
    }

    // One row per item: what the item leaves behind.
    void helpAndToolItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("navigatedTo"); // "" : no navigation
        QTest::addColumn<QString>("window");      // objectName of a window it opens, "" for none
        QTest::newRow("update site") << u"mnuToolWindowsUpdate"_s << u"https://windowsupdate.microsoft.com/"_s
                                     << QString();
        QTest::newRow("help") << u"mnuHelpHelp"_s << u"doc/ゆらぎねヘルプ.htm"_s << QString();
        QTest::newRow("questions") << u"mnuHelpBasicHelp"_s << u"download/qa/qaa.htm"_s << QString();
        QTest::newRow("version check") << u"mnuHelpNewVersion"_s << QString() << u"Form4"_s;
        QTest::newRow("about box") << u"mnuHelpVersion"_s << QString() << u"frmAbout"_s;
        QTest::newRow("privacy") << u"mnuToolSecuP"_s << QString() << u"PrivacyDialog"_s;
        QTest::newRow("internet options") << u"mnuToolInternetOption"_s << QString() << u"InternetOptionsDialog"_s;
    }
    void helpAndToolItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, navigatedTo);
        QFETCH(QString, window);
        startWindow();
        browser()->calls.clear();
        item(name)->trigger();
        const QStringList navigations = browser()->navigations();
        if (navigatedTo.isEmpty())
            QVERIFY(navigations.isEmpty());
        else
            QVERIFY2(navigations.size() == 1 && navigations.first().endsWith(navigatedTo),
                     qPrintable(navigations.join(u' ')));
        if (!window.isEmpty()) {
            auto *opened = m_window->findChild<QWidget *>(window);
            QVERIFY(opened && opened->isVisible());
            opened->close();
        }
    }

    void userInformationOpensInTheSubWindow()
    {
        startWindow();
        for (int i = 0; i < 2; ++i) // also when it is open already
            item(u"mnuToolSecuUser"_s)->trigger();
        auto *sub = qobject_cast<FakeBrowser *>(m_window->subWindow()->findChild<FakeBrowser *>());
        QVERIFY(sub);
        const QStringList opened = sub->navigations().mid(sub->navigations().size() - 2);
        QCOMPARE(opened.size(), 2);
        for (const QString &address : opened)
            QVERIFY2(address.endsWith(u"doc/nav.htm"_s), qPrintable(address));
    }

    void bugReportFillsTheMemoPad()
    {
        QVERIFY(m_folder->write(u"Yura3.ini"_s, "[Data]\r\nFirstOpen=1\r\nNSTag=1\r\n"));
        startWindow();
        item(u"mnuHelpBag"_s)->trigger();
        const QString report = m_window->memoPad()->memoText();
        QVERIFY(report.startsWith(u"お問い合わせは、以下の情報をメールに貼って送ってください。\n"_s));
        QVERIFY(report.contains(u"画面解像度　( 1024 × 768 )\nウィンドウ数　( 1 )\n"_s)); // before the memo pad
        QVERIFY(report.contains(u"[ini]ネスケタグ検出　( 1 )\n[ini]Cookie編集　(  )\n"_s));
    }

    void aboutBoxTellsTheSystem()
    {
        startWindow();
        m_fake->system.address.clear(); // the lookup failed
        item(u"mnuHelpVersion"_s)->trigger();
        AboutBox *about = m_window->parts().tools->aboutBox();
        auto text = [about](const char *name) { return about->findChild<QLabel *>(QLatin1String(name))->text(); };
        QCOMPARE(text("Label3"), u"OSがわかりません　(Version:6.1.0)"_s);
        QCOMPARE(text("Label6"), u"IP Address : "_s);
        QCOMPARE(text("Label11"), u"Chromium　(Version:102.0.5005.177)"_s);
        browser()->calls.clear();
        QTest::mouseClick(about->findChild<QLabel *>(u"Label1"_s), Qt::LeftButton);
        QCOMPARE(browser()->navigations(), QStringList {maker::homePage()});
        QTest::mouseClick(about->findChild<QLabel *>(u"Label2"_s), Qt::LeftButton);
        QCOMPARE(m_fake->shell.mailedTo(), QStringList {maker::mailAddress()});
    }

    void capture_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<QString>("message");
        QTest::newRow("saved") << true << false << QString();
        QTest::newRow("cancelled") << false << false << QString();
        QTest::newRow("save fails") << true << true << u"キャプチャに失敗しました。"_s;
    }
    void capture()
    {
        QFETCH(bool, chosen);
        QFETCH(bool, saveFails);
        QFETCH(QString, message);
        startWindow();
        m_fake->clipboard.setText(u"keep"_s);
        m_fake->windows.setSaveFails(saveFails);
        if (chosen)
            m_fake->dialogs.answerSaveFile(m_folder->filePath(u"無題"_s));
        else
            m_fake->dialogs.cancelSaveFile();
        item(u"mnuToolPS"_s)->trigger();
        const platform::FileDialogRequest request = m_fake->dialogs.requests().last().file;
        QCOMPARE(request.title, u"ウィンドウキャプチャ機能"_s);
        QCOMPARE(request.fileName, u"無題"_s);
        QVERIFY(request.overwritePrompt);
        const QString bitmap = m_folder->filePath(u"無題.bmp"_s);
        QCOMPARE(m_fake->windows.savedBitmaps(), chosen ? QStringList {bitmap} : QStringList());
        QCOMPARE(QImage(bitmap).isNull(), !chosen || saveFails); // the window itself: tst_systemservices
        QCOMPARE(messageText(), message);
        QCOMPARE(m_fake->clipboard.text(), u"keep"_s);
    }

    void associationOffersTheDesktopDefault()
    {
        startWindow();
        m_fake->dialogs.answerMessage(MessageAnswer::Yes);
        item(u"mnuHelpAssociation"_s)->trigger();
        QCOMPARE(m_fake->processes.starts().size(), 1);
        QCOMPARE(m_fake->processes.starts().first().program, u"xdg-settings"_s);
        QCOMPARE(m_fake->processes.starts().first().arguments,
                 QStringList({u"set"_s, u"default-web-browser"_s, u"yuragine.desktop"_s}));
    }
};

QTEST_MAIN(TestForm1Tools)
#include "tst_mainwindowtools.moc"
