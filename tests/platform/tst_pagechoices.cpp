#include "platform/pagemenu.h"
#include "platform/pagepermissions.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using platform::PageContext;
using platform::PageFeature;
using platform::PageMenuItem;
using platform::PermissionAnswers;

Q_DECLARE_METATYPE(platform::PageContext)
Q_DECLARE_METATYPE(platform::PageFeature)
Q_DECLARE_METATYPE(platform::PermissionAnswers::Decision)

namespace {

// One answer the user gave: site, feature, yes or no, when.
struct Answer
{
    QString site;
    PageFeature feature;
    bool allowed;
    qint64 at;
};

} // namespace

Q_DECLARE_METATYPE(QList<Answer>)

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
        const qint64 quiet = PermissionAnswers::kQuietAfterNoMs;
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<PageFeature>("feature");
        QTest::addColumn<qint64>("now");
        QTest::addColumn<D>("decision");
        QTest::newRow("never asked") << QList<Answer> {} << PageFeature::Camera << qint64(0) << D::Ask;
        QTest::newRow("yes holds, long after") << QList<Answer> {{site, PageFeature::Camera, true, 0}}
                                               << PageFeature::Camera << qint64(86'400'000) << D::Allow;
        QTest::newRow("no holds, long after") << QList<Answer> {{site, PageFeature::Location, false, 0}}
                                              << PageFeature::Location << qint64(86'400'000) << D::Deny;
        QTest::newRow("after no, another feature at once")
            << QList<Answer> {{site, PageFeature::Location, false, 1000}} << PageFeature::Notifications
            << qint64(1000 + quiet - 1) << D::Deny;
        QTest::newRow("after no, another feature later")
            << QList<Answer> {{site, PageFeature::Location, false, 1000}} << PageFeature::Notifications
            << qint64(1000 + quiet) << D::Ask;
        QTest::newRow("another site's no") << QList<Answer> {{u"https://other.jp"_s, PageFeature::Camera, false, 0}}
                                           << PageFeature::Camera << qint64(1) << D::Ask;
        QTest::newRow("a yes asks nothing else")
            << QList<Answer> {{site, PageFeature::Camera, true, 0}} << PageFeature::Microphone << qint64(1) << D::Ask;
        QTest::newRow("the last answer holds")
            << QList<Answer> {{site, PageFeature::ScreenSharing, false, 0}, {site, PageFeature::ScreenSharing, true, 1}}
            << PageFeature::ScreenSharing << qint64(2) << D::Allow;
    }
    void permissionAnswers()
    {
        QFETCH(QList<Answer>, answers);
        QFETCH(PageFeature, feature);
        QFETCH(qint64, now);
        QFETCH(PermissionAnswers::Decision, decision);
        PermissionAnswers kept;
        for (const Answer &answer : answers)
            kept.remember(answer.site, answer.feature, answer.allowed, answer.at);
        QCOMPARE(kept.decide(u"https://example.jp"_s, feature, now), decision);
    }
};

QTEST_APPLESS_MAIN(TestPageChoices)
#include "tst_pagechoices.moc"
