#include "platform/networktransfer.h"
#include "tests/support/fakebrowserhost.h"
#include "tests/support/localhttpserver.h"
#include "tools/versioncheckdialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

// The version check against pages served on 127.0.0.1.
class TestVersionCheckDialog : public QObject
{
    Q_OBJECT
private:
    LocalHttpServer m_server;
    platform::NetworkTransfer m_transfer;
    FakeBrowserHost m_host;

    template <typename T> static T *child(QWidget *w, const char *name)
    {
        return w->findChild<T *>(QLatin1String(name));
    }

private Q_SLOTS:
    void initTestCase() { qputenv("YURAGINE_UPDATE_URL", m_server.url(u"/soft"_s).toString().toUtf8()); }
    void init()
    {
        m_server.setHolding(false);
        m_server.route(u"/soft/newdatayura.txt"_s, {200, "text/plain", "速くなりました", {}, false});
    }

    void result_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<bool>("withData");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("homePage");
        const QString current = u"最新バージョンがインストールされています。"_s;
        const QString noData =
            u"更新データが取得できませんでした。\n\n■対策\n・インターネットに繋がる環境でのみ使用可能な機能です。"_s;
        QTest::newRow("current") << 200 << QByteArray("4.00\r\n") << true << current << false;
        QTest::newRow("4.001") << 200 << QByteArray("4.001") << true << current << false;
        QTest::newRow("older") << 200 << QByteArray("3.99") << true << current << false;
        QTest::newRow("newer") << 200 << QByteArray("4.10") << true
                               << u"新しいバージョンが公開されています。\n\n速くなりました"_s << true;
        QTest::newRow("empty") << 200 << QByteArray() << true << noData << false;
        QTest::newRow("error page") << 404 << QByteArray("<html>Not Found</html>") << true << noData << false;
        QTest::newRow("data missing") << 200 << QByteArray("4.10") << false << noData << false;
    }
    void result()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, version);
        QFETCH(bool, withData);
        QFETCH(QString, text);
        QFETCH(bool, homePage);
        m_server.route(u"/soft/newveryura.txt"_s, {status, "text/plain", version, {}, false});
        if (!withData)
            m_server.route(u"/soft/newdatayura.txt"_s, {404, "text/html", "gone", {}, false});
        VersionCheckDialog dialog(m_host, m_transfer);
        QSignalSpy checked(&dialog, &VersionCheckDialog::checked);
        dialog.show();
        QVERIFY(checked.wait(10000));
        QCOMPARE(child<QLabel>(&dialog, "Label1")->text(), u"■現在のバージョン：4.00"_s);
        QCOMPARE(child<QPlainTextEdit>(&dialog, "Text1")->toPlainText(), text);
        // Drawn in the dialog's colour, not the white of an edit box.
        const QImage drawn = child<QPlainTextEdit>(&dialog, "Text1")->viewport()->grab().toImage();
        QCOMPARE(drawn.pixelColor(drawn.width() - 3, drawn.height() - 3), dialog.palette().color(QPalette::Window));
        QVERIFY(child<QPushButton>(&dialog, "Command1")->isEnabled());
        QCOMPARE(child<QPushButton>(&dialog, "Command2")->isEnabled(), homePage);
        if (homePage) {
            QCOMPARE(child<QLabel>(&dialog, "Label2")->text(), u"■最新のバージョン：4.10"_s);
            child<QPushButton>(&dialog, "Command2")->click();
            QCOMPARE(m_host.fakeBrowser->navigations().last(), m_server.url(u"/soft/index.htm"_s).toString());
            QVERIFY(!dialog.isVisible());
        }
    }

    void marksRunUntilTheResultAndClosingMidwayIsSafe()
    {
        m_server.setHolding(true);
        QPointer<VersionCheckDialog> dialog = new VersionCheckDialog(m_host, m_transfer);
        dialog->show();
        auto *text = child<QPlainTextEdit>(dialog, "Text1");
        QTRY_COMPARE(text->toPlainText(), u">>"_s);
        QVERIFY(dialog->isChecking());
        QVERIFY(!child<QPushButton>(dialog, "Command1")->isEnabled());
        delete dialog.data(); // the close box while the fetch is on its way
        m_server.releaseHeld();
        QTest::qWait(200);
    }

    void hundredChecksClosedMidFetch()
    {
        m_server.setHolding(true);
        m_server.clearLog();
        QList<QPointer<VersionCheckDialog>> dialogs;
        for (int i = 0; i < 100; ++i) {
            dialogs.append(new VersionCheckDialog(m_host, m_transfer));
            dialogs.last()->show();
        }
        QTRY_VERIFY(!m_server.requests().isEmpty()); // the rest wait in the transfer's queue
        qDeleteAll(dialogs);
        m_server.releaseHeld();
        QTest::qWait(200);
    }
};

QTEST_MAIN(TestVersionCheckDialog)
#include "tst_versioncheckdialog.moc"
