#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "app/startup.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/tempprogramfolder.h"
#include "tools/firstrundialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;
using platform::MessageAnswer;

// The first-run dialog over a temporary program folder and the fake system.
class TestFirstRunDialog : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<FakePlatform> m_fake;
    QPointer<FirstRunDialog> m_dialog;
    QString m_ownFavorites;
    QList<bool> m_marks;    // translucencyMarked, in order
    QList<int> m_opacities; // translucencyChanged, in order

    // Start-up on the settings given, then the dialog loaded as the main window loads it.
    void open(const QByteArray &settings = {})
    {
        if (!settings.isEmpty())
            QVERIFY(m_folder->write(u"Yura3.ini"_s, settings));
        runStartup();
        m_dialog = new FirstRunDialog(m_fake->platform());
        connect(m_dialog, &FirstRunDialog::translucencyMarked, this, [this](bool on) { m_marks.append(on); });
        connect(m_dialog, &FirstRunDialog::translucencyChanged, this,
                [this](int opacity) { m_opacities.append(opacity); });
        m_dialog->load();
        m_dialog->show();
    }
    template <typename T> T *control(const QString &name) const { return m_dialog->findChild<T *>(name); }
    QCheckBox *box(int n) const { return control<QCheckBox>(u"Check%1"_s.arg(n)); }
    QLineEdit *text1() const { return control<QLineEdit>(u"Text1"_s); }
    QSlider *slider() const { return control<QSlider>(u"Slider1"_s); }
    QStringList stored(const QStringList &keys) const
    {
        QStringList values;
        for (const QString &key : keys)
            values.append(readSetting(u"Data"_s, key));
        return values;
    }
    QVariant connections() const
    {
        return m_fake->registry.stored(u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"_s,
                                       u"MaxConnectionsPer1_0Server"_s);
    }
    void save() { control<QPushButton>(u"Command2"_s)->click(); }

    static inline const QString kDone =
        u"設定を終了します。再度設定し直す場合は\r\n[ツール]-[初回設定ダイアログ]\r\nメニューから変更可能です。"_s;
    static inline const QStringList kKeys {
        u"FavoritesFolder"_s, u"NSTag"_s,        u"CookiesEdit"_s, u"BBA"_s, u"WVS"_s,
        u"EXSTYLE"_s,         u"EXSTYLEValue"_s, u"FirstOpen"_s};

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempProgramFolder>();
        m_fake = std::make_unique<FakePlatform>();
        m_ownFavorites = m_folder->filePath(u"data/Favorites"_s);
        m_fake->shell.setFavoritesFolder(m_ownFavorites);
        m_fake->system.version = {5, 1, 0, 2}; // a Linux kernel 5.1, no Windows XP
        m_marks.clear();
        m_opacities.clear();
    }
    void cleanup()
    {
        QVERIFY2(!m_fake->dialogs.hadUnexpected(), qPrintable(m_fake->dialogs.unexpected().join(u'\n')));
        QCOMPARE(m_fake->dialogs.unansweredCount(), 0);
        delete m_dialog.data();
        m_fake.reset();
        m_folder.reset();
    }

    void firstRunSaveWritesEveryKeyAndAppliesTheChoices()
    {
        open();
        // Nothing to go by on this platform: the program's own folder is offered.
        QVERIFY(control<QRadioButton>(u"Option4"_s)->isChecked());
        QCOMPARE(text1()->text(), m_ownFavorites);
        for (int n = 1; n <= 5; ++n)
            QVERIFY(box(n)->isEnabled() && !box(n)->isChecked());
        QVERIFY(!slider()->isEnabled());
        QCOMPARE(m_fake->windows.alwaysOnTop(m_dialog), std::optional<bool>(true));
        QVERIFY(m_folder->write(QString::fromUtf16(firstrun::kParkedManifestName), "manifest"));
        for (int n : {1, 3, 4, 5})
            box(n)->click();
        QVERIFY(slider()->isEnabled());
        slider()->setValue(100);
        m_fake->dialogs.answerMessage(MessageAnswer::Ok);
        save();

        QCOMPARE(stored(kKeys),
                 (QStringList {m_ownFavorites, u"1"_s, u"0"_s, u"1"_s, u"1"_s, u"1"_s, u"100"_s, u"1"_s}));
        QCOMPARE(settingsRecord().FavoritesFolder, m_ownFavorites);
        QCOMPARE(settingsRecord().NSTag, 1);
        QVERIFY(QFileInfo(m_ownFavorites).isDir());
        QCOMPARE(connections(), QVariant(20u));
        QVERIFY(QFile::exists(m_folder->filePath(QString::fromUtf16(firstrun::kManifestName))));
        QCOMPARE(m_marks, QList<bool> {true});
        QCOMPARE(m_opacities, QList<int> {100});
        QCOMPARE(m_fake->dialogs.messageTexts(), QStringList {kDone});
        QVERIFY(!m_dialog || !m_dialog->isVisible());
    }

    // Without a manifest to move the visual style stays off, and the user hears why.
    void visualStyleThatCannotBeSwitchedStaysOff()
    {
        open();
        box(5)->click();
        m_fake->dialogs.answerMessage(MessageAnswer::Ok);
        m_fake->dialogs.answerMessage(MessageAnswer::Ok);
        save();
        QCOMPARE(readSetting(u"Data"_s, u"WVS"_s), u"0"_s);
        const QStringList messages = m_fake->dialogs.messageTexts();
        QCOMPARE(messages.size(), 2);
        QVERIFY2(messages.first().startsWith(u"WinXP Visual Style を切り替えられませんでした。"_s),
                 qPrintable(messages.first()));
        QCOMPARE(messages.last(), kDone);
    }

    void reopenedDialogShowsTheStoredChoices_data()
    {
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QString>("option");
        QTest::newRow("a listed folder") << QByteArray("C:\\WINDOWS\\Favorites") << u"Option1"_s;
        QTest::newRow("a typed folder") << QByteArray("/srv/favorites") << u"Option4"_s;
    }
    void reopenedDialogShowsTheStoredChoices()
    {
        QFETCH(QByteArray, folder);
        QFETCH(QString, option);
        open("[Data]\r\nFirstOpen=1\r\nNSTag=1\r\nCookiesEdit=0\r\nBBA=1\r\nWVS=x\r\nEXSTYLE=1\r\nEXSTYLEValue=90\r\n"
             "FavoritesFolder="
             + folder + "\r\n");
        QVERIFY(control<QRadioButton>(option)->isChecked());
        QCOMPARE(text1()->text(), QString::fromLatin1(folder));
        QList<bool> checks;
        for (int n = 1; n <= 5; ++n)
            checks.append(box(n)->isChecked());
        QCOMPARE(checks, (QList<bool> {true, false, true, true, false}));
        QVERIFY(slider()->isEnabled());
        QCOMPARE(slider()->value(), 90);
        QCOMPARE(m_marks, QList<bool> {true});
    }

    void savingEverythingOffMakesTheWindowOpaque()
    {
        open("[Data]\r\nFirstOpen=1\r\nNSTag=1\r\nBBA=1\r\nEXSTYLE=1\r\nEXSTYLEValue=90\r\nFavoritesFolder=C:"
             "\\WINDOWS\\Favorites\r\n");
        m_marks.clear();
        for (int n : {1, 3, 4})
            box(n)->click();
        m_fake->dialogs.answerMessage(MessageAnswer::Ok);
        save();
        QCOMPARE(stored(kKeys),
                 (QStringList {u"C:\\WINDOWS\\Favorites"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"90"_s, u"1"_s}));
        QCOMPARE(connections(), QVariant(4u));
        QCOMPARE(m_marks, QList<bool> {false});
        QCOMPARE(m_opacities, QList<int> {255});
    }

    void typedFolderThatIsMissing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<MessageAnswer>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("saved");
        const QString ask = u"フォルダがありません。作成しますか？"_s;
        QTest::newRow("No keeps the dialog open")
            << u"new/favorites"_s << QList<MessageAnswer> {MessageAnswer::No} << QStringList {ask} << false;
        QTest::newRow("Yes makes the folder")
            << u"new/favorites"_s << QList<MessageAnswer> {MessageAnswer::Yes, MessageAnswer::Ok}
            << QStringList {ask, kDone} << true;
        QTest::newRow("empty asks for a folder") << QString() << QList<MessageAnswer> {MessageAnswer::Ok}
                                                 << QStringList {u"お気に入りフォルダを入力してください。"_s} << false;
    }
    void typedFolderThatIsMissing()
    {
        QFETCH(QString, typed);
        QFETCH(QList<MessageAnswer>, answers);
        QFETCH(QStringList, messages);
        QFETCH(bool, saved);
        open("[Window]\r\nSideW=6\r\n");
        const QString path = typed.isEmpty() ? QString() : m_folder->filePath(typed);
        text1()->setText(path);
        for (MessageAnswer answer : answers)
            m_fake->dialogs.answerMessage(answer);
        save();
        QCOMPARE(m_fake->dialogs.messageTexts(), messages);
        QCOMPARE(stored({u"FirstOpen"_s}), QStringList {saved ? u"1"_s : QString()});
        QCOMPARE(m_dialog && m_dialog->isVisible(), !saved);
        if (saved)
            QVERIFY(QFileInfo(path).isDir());
    }

    void browsedFolderIsLowerCased()
    {
        open();
        m_fake->dialogs.answerFolder(u"/Srv/Taro/Favorites"_s);
        control<QPushButton>(u"Command1"_s)->click();
        QCOMPARE(text1()->text(), u"/Srv/Taro/Favorites"_s); // the file system tells case apart
        QCOMPARE(m_fake->dialogs.requests().last().title, u"フォルダを選択してください"_s);
        QVERIFY(control<QRadioButton>(u"Option4"_s)->isChecked());
    }
};

QTEST_MAIN(TestFirstRunDialog)
#include "tst_firstrundialog.moc"
