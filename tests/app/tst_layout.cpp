#include "app/layout.h"

#include <QtTest>

using layout::Rect;

Q_DECLARE_METATYPE(std::optional<Rect>)

namespace {
layout::Input window(int width, int height)
{
    layout::Input in;
    in.windowWidth = width;
    in.clientWidth = width - 120;
    in.clientHeight = height;
    in.buttonWidth = 375;
    in.lampWidth = 255;
    return in;
}
} // namespace

class TestLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sidebarWidth_data()
    {
        QTest::addColumn<int>("sideW");
        QTest::addColumn<int>("width");
        QTest::newRow("1/7") << 7 << 1714;
        QTest::newRow("1/6") << 6 << 2000;
        QTest::newRow("1/5") << 5 << 2400;
    }
    void sidebarWidth()
    {
        QFETCH(int, sideW);
        QFETCH(int, width);
        layout::Input in = window(12000, 9000);
        in.sideW = sideW;
        const layout::Result out = layout::compute(in);
        QCOMPARE(out.sidebar->width, width);
        QCOMPARE(out.page->left, width);
        QCOMPARE(out.page->width, in.clientWidth - width);
    }

    // The page's vertical extent follows the two horizontal bars.
    void barVisibility_data()
    {
        QTest::addColumn<bool>("buttonBar");
        QTest::addColumn<bool>("statusBar");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("height");
        QTest::newRow("both") << true << true << 495 << 9000 - 495 - 255;
        QTest::newRow("button bar only") << true << false << 495 << 9000 - 495;
        QTest::newRow("status bar only") << false << true << 0 << 9000 - 255;
        QTest::newRow("neither") << false << false << 0 << 9000;
    }
    void barVisibility()
    {
        QFETCH(bool, buttonBar);
        QFETCH(bool, statusBar);
        QFETCH(int, top);
        QFETCH(int, height);
        layout::Input in = window(12000, 9000);
        in.buttonBarVisible = buttonBar;
        in.statusBarVisible = statusBar;
        const layout::Result out = layout::compute(in);
        QCOMPARE(out.page->top, top);
        QCOMPARE(out.page->height, height);
        QCOMPARE(out.sidebar->top, top);
        QCOMPARE(out.sidebar->height, height);
        // The status bar stays at the bottom edge either way.
        QCOMPARE(out.statusBar->top + out.statusBar->height, 9000);
        QCOMPARE(*out.menuButtonTop, top);
    }

    void hiddenSidebarLeavesOneTwip()
    {
        layout::Input in = window(12000, 9000);
        in.sidebarVisible = false;
        const layout::Result out = layout::compute(in);
        QCOMPARE(out.page->left, 1);
        QCOMPARE(out.page->width, in.clientWidth);
        QCOMPARE(*out.menuButtonLeft, 1);
    }

    void addressBoxAndSidebarContents()
    {
        layout::Input in = window(12000, 9000);
        in.tabClientTop = 360;
        in.tabClientWidthMargin = 60;
        in.tabClientHeightMargin = 420;
        const layout::Result out = layout::compute(in);
        QCOMPARE(*out.addressWidth, 12000 - 6 * 375 - 255 - 30);
        const int clientWidth = 1714 - 60;
        const int clientHeight = (9000 - 495 - 255) - 420;
        QCOMPARE(out.tabStrip->width, 1714);
        QCOMPARE(out.favorites->width, clientWidth + 70);
        QCOMPARE(out.favorites->height, clientHeight + 40);
        QCOMPARE(out.folders->height, clientHeight / 2);
        QCOMPARE(out.files->top, 360 + clientHeight / 2 + 25);
        QCOMPARE(out.files->height, clientHeight / 2 + 120);
        QCOMPARE(*out.statusWidth, 12000);
    }

    void tinyWindowSkipsNegativeMoves()
    {
        layout::Input in = window(300, 400); // minimized or squeezed
        in.clientWidth = 180;
        const layout::Result out = layout::compute(in);
        QVERIFY(out.buttonBar); // its sizes are fixed or the window's own
        QVERIFY(!out.page);
        QVERIFY(!out.sidebar);
        QVERIFY(out.statusBar); // fixed height, so it still moves
        QVERIFY(!out.addressWidth);
        QVERIFY(!out.menuButtonLeft);
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
