#include "platform/enginesandbox.h"
#include "platform/fonts.h"
#include "platform/inputmethod.h"
#include "platform/windowservices.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using platform::ImeState;
using platform::JapaneseFontSet;

Q_DECLARE_METATYPE(platform::ImeState)
Q_DECLARE_METATYPE(platform::JapaneseFontSet)

// The rules that fit the program to the desktop it runs on.
class TestDesktopRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fcitxState_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("inputMethod");
        QTest::addColumn<ImeState>("expected");
        QTest::newRow("no input context") << 0 << u"mozc"_s << ImeState::Other;
        QTest::newRow("off") << 1 << u"mozc"_s << ImeState::Off;
        QTest::newRow("off, layout only") << 1 << u"keyboard-us"_s << ImeState::Off;
        QTest::newRow("mozc on") << 2 << u"mozc"_s << ImeState::Hiragana;
        QTest::newRow("anthy on") << 2 << u"anthy"_s << ImeState::Hiragana;
        QTest::newRow("skk variant on") << 2 << u"skk-jisyo"_s << ImeState::Hiragana;
        QTest::newRow("keyboard layout active") << 2 << u"keyboard-jp"_s << ImeState::Off;
        QTest::newRow("Chinese engine on") << 2 << u"pinyin"_s << ImeState::Other;
        QTest::newRow("prefix is not an engine") << 2 << u"mozcish"_s << ImeState::Other;
        QTest::newRow("unknown state") << 7 << u"mozc"_s << ImeState::Other;
    }
    void fcitxState()
    {
        QFETCH(int, state);
        QFETCH(QString, inputMethod);
        QFETCH(ImeState, expected);
        QCOMPARE(platform::imeStateFromFcitx(state, inputMethod), expected);
    }

    void japaneseFonts_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<JapaneseFontSet>("expected");
        const QString ipaP = u"IPAPGothic"_s;
        const QString noto = u"Noto Sans CJK JP"_s;
        QTest::newRow("IPA pair and Mincho") << QStringList {u"DejaVu Sans"_s, u"IPAGothic"_s, ipaP, u"IPAPMincho"_s}
                                             << JapaneseFontSet {ipaP, ipaP, u"IPAPMincho"_s, u"IPAGothic"_s};
        QTest::newRow("no Mincho: serif falls back to the page's Gothic")
            << QStringList {u"IPAGothic"_s, ipaP, noto} << JapaneseFontSet {ipaP, noto, noto, u"IPAGothic"_s};
        QTest::newRow("Noto only") << QStringList {noto, u"Noto Sans Mono CJK JP"_s, u"Noto Serif CJK JP"_s}
                                   << JapaneseFontSet {noto, noto, u"Noto Serif CJK JP"_s, u"Noto Sans Mono CJK JP"_s};
        QTest::newRow("monospaced Gothic never becomes a proportional one")
            << QStringList {u"IPAGothic"_s} << JapaneseFontSet {QString(), QString(), QString(), u"IPAGothic"_s};
        QTest::newRow("windows in IPA, pages in Noto, any case")
            << QStringList {noto, u"ipapgothic"_s} << JapaneseFontSet {ipaP, noto, noto, ipaP};
        QTest::newRow("localized names, as a Japanese locale lists them")
            << QStringList {u"IPA Pゴシック"_s, u"IPA P明朝"_s, u"IPAゴシック"_s, u"IPA明朝"_s}
            << JapaneseFontSet {ipaP, ipaP, u"IPAPMincho"_s, u"IPAGothic"_s};
        QTest::newRow("none installed") << QStringList {u"DejaVu Sans"_s} << JapaneseFontSet {};
    }
    void japaneseFonts()
    {
        QFETCH(QStringList, installed);
        QFETCH(JapaneseFontSet, expected);
        const JapaneseFontSet chosen = platform::chooseJapaneseFonts(installed);
        QCOMPARE(chosen.userInterface, expected.userInterface);
        QCOMPARE(chosen.sansSerif, expected.sansSerif);
        QCOMPARE(chosen.serif, expected.serif);
        QCOMPARE(chosen.fixed, expected.fixed);
    }

    void engineStart_data()
    {
        QTest::addColumn<bool>("root");
        QTest::addColumn<bool>("disableSet");
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<bool>("refused");
        QTest::newRow("ordinary user") << false << false << QByteArray() << false;
        QTest::newRow("root, nothing set") << true << false << QByteArray() << true;
        QTest::newRow("root, sandbox variable") << true << true << QByteArray() << false;
        QTest::newRow("root, flag") << true << false << QByteArray("--lang=ja --no-sandbox") << false;
        QTest::newRow("root, other flags only") << true << false << QByteArray("--no-sandboxes") << true;
    }
    void engineStart()
    {
        QFETCH(bool, root);
        QFETCH(bool, disableSet);
        QFETCH(QByteArray, flags);
        QFETCH(bool, refused);
        const QString problem = platform::engineStartProblem(root, disableSet, flags);
        QCOMPARE(!problem.isEmpty(), refused);
        if (refused)
            QVERIFY(problem.contains(u"QTWEBENGINE_DISABLE_SANDBOX=1"_s));
    }

    void windowEffects_data()
    {
        QTest::addColumn<QString>("platformName");
        QTest::addColumn<bool>("limited");
        QTest::newRow("X11") << u"xcb"_s << false;
        QTest::newRow("Wayland") << u"wayland"_s << true;
        QTest::newRow("Wayland with EGL") << u"wayland-egl"_s << true;
        QTest::newRow("offscreen") << u"offscreen"_s << false;
    }
    void windowEffects()
    {
        QFETCH(QString, platformName);
        QFETCH(bool, limited);
        QCOMPARE(!platform::windowEffectsLimitFor(platformName).isEmpty(), limited);
    }
};

QTEST_APPLESS_MAIN(TestDesktopRules)
#include "tst_desktoprules.moc"
