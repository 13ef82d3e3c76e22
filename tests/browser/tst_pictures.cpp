#include "browser/pictures.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QtTest>

using namespace Qt::StringLiterals;

// The pictures compiled into the program: each has its twice-size version, which a 2x
// screen gets, and the licence travels with them.
class TestPictures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(!programIcon().isNull()); } // registers the resources

    void twiceSizeVersions_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"back", "forward", "stop", "home", "reload", "sidebar", "page_web", "page_loading",
                                 "page_other", "page_jpeg", "page_image"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void twiceSizeVersions()
    {
        QFETCH(QString, name);
        const QString path = u":/icons/"_s + name;
        QCOMPARE(QImage(path + u".png"_s).size(), QSize(24, 24));
        QCOMPARE(QImage(path + u"@2x.png"_s).size(), QSize(48, 48));
        const QPixmap sharp = sharpIcon(path + u".png"_s).pixmap(QSize(24, 24), 2.0);
        QCOMPARE(sharp.size(), QSize(48, 48));
        QCOMPARE(sharp.toImage().convertToFormat(QImage::Format_ARGB32),
                 QImage(path + u"@2x.png"_s).convertToFormat(QImage::Format_ARGB32));
    }

    void programIconSizes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("16 at 1x") << 16 << 1.0;
        QTest::newRow("16 at 2x") << 16 << 2.0;
        QTest::newRow("32 at 2x") << 32 << 2.0;
        QTest::newRow("128 at 2x") << 128 << 2.0;
    }
    void programIconSizes()
    {
        QFETCH(int, size);
        QFETCH(qreal, ratio);
        const QPixmap pixmap = programIcon().pixmap(QSize(size, size), ratio);
        QCOMPARE(pixmap.size(), QSize(size, size) * ratio);
        // Drawn at that size, not scaled up from a smaller one.
        QVERIFY(programIcon().availableSizes().contains(pixmap.size()));
    }

    void licenceShipsWithThePictures()
    {
        QFile licence(u":/icons/LICENSE.md"_s);
        QVERIFY(licence.open(QIODevice::ReadOnly));
        QVERIFY(licence.readAll().contains("CC0 1.0"));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
