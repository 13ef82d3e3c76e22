#include "platform/pagemenu.h"
#include "platform/pagepermissions.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using platform::PageContext;
using platform::PageFeature;
using platform::PageMenuItem;
using platform::PageQuestionGate;
using platform::PermissionAnswers;

Q_DECLARE_METATYPE(platform::PageContext)
Q_DECLARE_METATYPE(platform::PageFeature)
Q_DECLARE_METATYPE(platform::PermissionAnswers::Decision)

namespace {

// One answer the user gave: site, feature, yes or no.
struct Answer
{
    QString site;
    PageFeature feature;
    bool allowed;
};

// Something a page put in front of the user, and how it went.
struct Shown
{
    QString site;
    PageQuestionGate::Kind kind;
    qint64 at;
    bool refused = false;
    bool silenced = false;
    bool stillOpen = false;
};

} // namespace

Q_DECLARE_METATYPE(QList<Answer>)
Q_DECLARE_METATYPE(QList<Shown>)
Q_DECLARE_METATYPE(platform::PageQuestionGate::Kind)

class TestPageChoices : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pageMenu_data()
    {
        using enum PageMenuItem;
        QTest::addColumn<PageContext>("context");
        QTest::addColumn<QList<PageMenuItem>>("items");
        QTest::newRow("the page") << PageContext {}
                                  << QList {Back,      Forward,   Reload,    Stop,       Separator, SavePage,
                                            SelectAll, Separator, Translate, ViewSource, Separator, AddFavorite};
        QTest::newRow("a web link") << PageContext {true, true} << QList {OpenLinkInNewWindow, CopyLinkAddress};
        QTest::newRow("a link no window may open") << PageContext {true, false} << QList {CopyLinkAddress};
        QTest::newRow("an image") << PageContext {false, false, true} << QList {SaveImage, CopyImageAddress};
        QTest::newRow("a linked image, text selected")
            << PageContext {true, true, true, false, true}
            << QList {OpenLinkInNewWindow, CopyLinkAddress, Separator, SaveImage,
                      CopyImageAddress,    Separator,       Copy,      CopyToMemo};
        QTest::newRow("selected text") << PageContext {false, false, false, false, true} << QList {Copy, CopyToMemo};
        QTest::newRow("a text field") << PageContext {false, false, false, true}
                                      << QList {Cut, Copy, Paste, Separator, SelectAll};
        QTest::newRow("a text field with a selection, on a link")
            << PageContext {true, true, false, true, true}
            << QList {Cut, Copy, Paste, Separator, SelectAll, CopyToMemo};
    }
    void pageMenu()
    {
        QFETCH(PageContext, context);
        QFETCH(QList<PageMenuItem>, items);
        QCOMPARE(platform::pageMenuItems(context), items);
    }

    void permissionAnswers_data()
    {
        using D = PermissionAnswers::Decision;
        const QString site = u"https://example.jp"_s;
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<PageFeature>("feature");
        QTest::addColumn<D>("decision");
        QTest::newRow("never asked") << QList<Answer> {} << PageFeature::Camera << D::Ask;
        QTest::newRow("yes holds") << QList<Answer> {{site, PageFeature::Camera, true}} << PageFeature::Camera
                                   << D::Allow;
        QTest::newRow("no holds") << QList<Answer> {{site, PageFeature::Location, false}} << PageFeature::Location
                                  << D::Deny;
        QTest::newRow("another site's no")
            << QList<Answer> {{u"https://other.jp"_s, PageFeature::Camera, false}} << PageFeature::Camera << D::Ask;
        QTest::newRow("an answer is for its feature only")
            << QList<Answer> {{site, PageFeature::Camera, true}} << PageFeature::Microphone << D::Ask;
        QTest::newRow("the last answer holds")
            << QList<Answer> {{site, PageFeature::ScreenSharing, false}, {site, PageFeature::ScreenSharing, true}}
            << PageFeature::ScreenSharing << D::Allow;
    }
    void permissionAnswers()
    {
        QFETCH(QList<Answer>, answers);
        QFETCH(PageFeature, feature);
        QFETCH(PermissionAnswers::Decision, decision);
        PermissionAnswers kept;
        for (const Answer &answer : answers)
            kept.remember(answer.site, answer.feature, answer.allowed);
        QCOMPARE(kept.decide(u"https://example.jp"_s, feature), decision);
    }

    // What came before, then whether the next one (of the page example.jp at "now") is let
    // through, and whether a script dialog then offers to stop them.
    void pageQuestionGate_data()
    {
        using K = PageQuestionGate::Kind;
        const QString site = u"https://example.jp"_s;
        const qint64 quiet = PageQuestionGate::kQuietAfterNoMs;
        QTest::addColumn<QList<Shown>>("before");
        QTest::addColumn<K>("kind");
        QTest::addColumn<qint64>("now");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("offersSilence");
        QTest::newRow("the first question") << QList<Shown> {} << K::Question << qint64(0) << true << false;
        QTest::newRow("while another is open")
            << QList<Shown> {{u"https://other.jp"_s, K::Question, 0, false, false, true}} << K::Question << qint64(1)
            << false << false;
        QTest::newRow("after a yes") << QList<Shown> {{site, K::Question, 0}} << K::Question << qint64(1) << true
                                     << false;
        QTest::newRow("soon after a no, of any kind") << QList<Shown> {{site, K::Question, 1000, true}}
                                                      << K::ScriptDialog << qint64(1000 + quiet - 1) << false << false;
        QTest::newRow("a cancelled dialog keeps questions away")
            << QList<Shown> {{site, K::ScriptDialog, 1000, true}} << K::Question << qint64(1000 + quiet - 1) << false
            << false;
        QTest::newRow("once the while is over")
            << QList<Shown> {{site, K::Question, 1000, true}} << K::Question << qint64(1000 + quiet) << true << false;
        QTest::newRow("another site's no") << QList<Shown> {{u"https://other.jp"_s, K::Question, 0, true}}
                                           << K::Question << qint64(1) << true << false;
        QTest::newRow("the second script dialog")
            << QList<Shown> {{site, K::ScriptDialog, 0}} << K::ScriptDialog << qint64(1) << true << false;
        QTest::newRow("the third script dialog")
            << QList<Shown> {{site, K::ScriptDialog, 0}, {site, K::ScriptDialog, 1}} << K::ScriptDialog << qint64(2)
            << true << true;
        QTest::newRow("questions do not count as script dialogs")
            << QList<Shown> {{site, K::Question, 0}, {site, K::Question, 1}} << K::ScriptDialog << qint64(2) << true
            << false;
        QTest::newRow("script dialogs of a silenced site") << QList<Shown> {{site, K::ScriptDialog, 0, false, true}}
                                                           << K::ScriptDialog << qint64(86'400'000) << false << false;
        QTest::newRow("a silenced site still asks questions")
            << QList<Shown> {{site, K::ScriptDialog, 0, false, true}} << K::Question << qint64(1) << true << false;
    }
    void pageQuestionGate()
    {
        QFETCH(QList<Shown>, before);
        QFETCH(PageQuestionGate::Kind, kind);
        QFETCH(qint64, now);
        QFETCH(bool, asked);
        QFETCH(bool, offersSilence);
        const QString site = u"https://example.jp"_s;
        PageQuestionGate gate;
        for (const Shown &shown : before) {
            QVERIFY(gate.mayAsk(shown.site, shown.kind, shown.at));
            gate.opened(shown.site, shown.kind);
            if (shown.stillOpen)
                continue;
            gate.closed();
            if (shown.refused)
                gate.refused(shown.site, shown.at);
            if (shown.silenced)
                gate.silence(shown.site);
        }
        QCOMPARE(gate.mayAsk(site, kind, now), asked);
        if (asked) {
            gate.opened(site, kind);
            QCOMPARE(gate.offersSilence(site), offersSilence);
        }
    }
};

QTEST_APPLESS_MAIN(TestPageChoices)
#include "tst_pagechoices.moc"
