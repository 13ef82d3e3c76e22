// The main window's parts on their own: the message bar, the navigation bar and the
// status area.
#include "browser/addressbox.h"
#include "browser/messagebar.h"
#include "browser/navigationbar.h"
#include "browser/statusarea.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestWindowParts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The bar takes its room from the page's bottom once, and gives it back.
    void messageBarTakesAndGivesBackItsRoom()
    {
        QWidget window;
        window.resize(400, 300);
        auto *page = new QWidget(&window);
        page->setGeometry(10, 20, 380, 200);
        MessageBar bar(&window);
        bar.takeRoomFrom(page, 24);
        QSignalSpy shown(&bar, &MessageBar::shownChanged);
        bar.showMessage(u"<b>一つ目</b>"_s);
        bar.showMessage(u"二つ目"_s);
        QCOMPARE(page->geometry(), QRect(10, 20, 380, 176));
        QCOMPARE(bar.geometry(), QRect(10, 196, 380, 24));
        QCOMPARE(bar.text(), u"二つ目"_s);
        QCOMPARE(bar.findChild<QLabel *>(u"SubLabel"_s)->textFormat(), Qt::PlainText);
        bar.findChild<QPushButton *>(u"subtitlebutton"_s)->click();
        QVERIFY(!bar.isShown());
        QCOMPARE(page->height(), 200);
        QCOMPARE(bar.text(), QString());
        QCOMPARE(shown.size(), 2);
        // After a new layout the page has its room already: reset gives nothing back.
        bar.showMessage(u"三つ目"_s);
        page->setGeometry(10, 20, 380, 200);
        bar.reset();
        QVERIFY(!bar.isShown());
        QCOMPARE(page->height(), 200);
    }

    void navigationBarLamp()
    {
        NavigationBar bar(nullptr);
        QVERIFY(bar.lampOn()); // the first page is on its way
        QVERIFY(!bar.button(NavigationBar::Button::Back)->isEnabled());
        QVERIFY(!bar.button(NavigationBar::Button::Forward)->isEnabled());
        QCOMPARE(bar.button(NavigationBar::Button::Reload)->objectName(), u"Command7"_s);
        QCOMPARE(bar.addressBox()->objectName(), u"txtURL"_s);
        QSignalSpy ticked(&bar, &NavigationBar::lampTicked);
        QVERIFY(ticked.wait(2000));
        bar.setLamp(false);
        QVERIFY(!bar.lampOn());
        QCOMPARE(bar.findChild<QFrame *>(u"Shape1"_s)->palette().color(QPalette::Window), QColor(Qt::white));
        bar.setAddressWidth(321);
        QCOMPARE(bar.addressBox()->width(), 321);
    }

    // Each blink widens the bar by 10 twips; a full bar starts again at 5.
    void statusAreaProgress_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("empty") << 0 << 10;
        QTest::newRow("almost full") << 1090 << 1100;
        QTest::newRow("full") << 1095 << 5;
        QTest::newRow("past full") << 1100 << 5;
    }
    void statusAreaProgress()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        StatusArea status(nullptr);
        status.setProgressTwips(before);
        status.stepProgress();
        QCOMPARE(status.progressTwips(), after);
        QCOMPARE(status.findChild<QFrame *>(u"ProgressBar1"_s)->width(), after / 15);
    }

    void statusAreaPictureAndText()
    {
        StatusArea status(nullptr);
        status.resize(600, 20);
        QCOMPARE(status.picture(), 3); // the first page on its way
        status.setPicture(5);
        QCOMPARE(status.picture(), 5);
        QVERIFY(!status.findChild<QLabel *>(u"Image1"_s)->pixmap().isNull());
        QSignalSpy clicked(&status, &StatusArea::pictureClicked);
        QTest::mouseClick(status.findChild<QLabel *>(u"Image1"_s), Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);
        status.setStatusText(u"<i>リンク</i>"_s);
        QCOMPARE(status.statusText(), u"<i>リンク</i>"_s);
        QCOMPARE(status.findChild<QLabel *>(u"Status"_s)->textFormat(), Qt::PlainText);
        status.arrange(500);
        QCOMPARE(status.findChild<QLabel *>(u"Status"_s)->width(), 320);
        QCOMPARE(status.findChild<QPushButton *>(u"Command5"_s)->x(), 325);
    }
};

QTEST_MAIN(TestWindowParts)
#include "tst_windowparts.moc"
