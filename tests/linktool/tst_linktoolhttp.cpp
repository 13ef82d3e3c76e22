// The link tool over the real transfer against pages served on 127.0.0.1: no browser
// engine, a fake host window.
#include "linktool/linklistmodel.h"
#include "linktool/linktoolwindow.h"
#include "platform/codepage.h"
#include "platform/networktransfer.h"
#include "tests/support/fakebrowserhost.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/localhttpserver.h"
#include "tests/support/tempprogramfolder.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestLinkToolHttp : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<TempProgramFolder> m_home;
    std::unique_ptr<LocalHttpServer> m_server;
    std::unique_ptr<FakePlatform> m_fake;
    std::unique_ptr<platform::NetworkTransfer> m_transfer;
    std::unique_ptr<FakeBrowserHost> m_host;
    QPointer<LinkToolWindow> m_tool;

    QPushButton *button(const char *name) const { return m_tool->findChild<QPushButton *>(QString::fromLatin1(name)); }
    void openTool(const QString &path)
    {
        m_host->address = m_server->url(path).toString();
        const platform::Platform fake = m_fake->platform();
        m_tool = new LinkToolWindow(*m_host,
                                    platform::Platform {fake.browsers, *m_transfer, fake.registry, fake.dialogs,
                                                        fake.clipboard, fake.processes, fake.shell, fake.system,
                                                        fake.windows, fake.inputMethod, fake.drives});
        m_tool->show();
    }

private Q_SLOTS:
    void init()
    {
        m_home = std::make_unique<TempProgramFolder>();
        m_server = std::make_unique<LocalHttpServer>();
        QVERIFY(m_server->isListening());
        m_fake = std::make_unique<FakePlatform>();
        m_transfer = std::make_unique<platform::NetworkTransfer>();
        m_host = std::make_unique<FakeBrowserHost>();
        m_host->fakeBrowser->pageTitle = u"サンプル"_s;
        LocalHttpServer::Response page;
        page.contentType = "text/html; charset=Shift_JIS";
        page.body = ansi::encode(u"<html><body><a href=\"./b.htm\">ビー</a> <A HREF=\"../a.htm\">Ay</A>"
                                 u" <a href=\"/c.htm\"><img src=\"c.png\"></a></body></html>"_s);
        m_server->route(u"/d/p.htm"_s, page);
    }
    void cleanup()
    {
        delete m_tool.data();
        m_host.reset();
        m_transfer.reset();
        m_fake.reset();
        m_server.reset();
        m_home.reset();
    }

    void analysesOpensAndExports()
    {
        openTool(u"/d/p.htm"_s);
        button("Command3")->click();
        QTRY_VERIFY(!m_tool->isRunning());
        QVERIFY(m_server->wasRequested(u"/d/p.htm"_s));
        LinkListModel *links = m_tool->links();
        QCOMPARE(links->count(), 3);
        QCOMPARE(links->entry(0).text, u"ビー"_s); // decoded from Shift_JIS

        auto *view = m_tool->findChild<QTreeView *>(u"lvwLink"_s);
        view->setCurrentIndex(links->index(1, 0));
        m_tool->openSelectedLink();
        QCOMPARE(m_host->fakeBrowser->navigations(), QStringList {m_server->url(u"/a.htm"_s).toString()});

        // The export's BASE names the served page, so its relative links lead there.
        QTemporaryDir folder;
        m_fake->dialogs.answerSaveFile(folder.filePath(u"l.htm"_s));
        m_fake->dialogs.answerMessage(platform::MessageAnswer::Ok);
        button("Command1")->click();
        QTRY_VERIFY(!m_tool->isRunning());
        QFile file(folder.filePath(u"l.htm"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("<BASE HREF=\"" + m_server->url(u"/d/p.htm"_s).toEncoded() + "\">"));
    }

    // A 100 MB page passes the transfer's size limit: the fetch stops there and the tool
    // ends with an empty list, ready for the next page.
    void hundredMegabytePageEndsCalmly()
    {
        QByteArray anchors;
        while (anchors.size() < 100 * 1024 * 1024)
            anchors += "<a href=\"x.htm\">x</a> filler filler filler filler filler filler\n";
        m_server->route(u"/big.htm"_s, anchors);
        openTool(u"/big.htm"_s);
        button("Command3")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!m_tool->isRunning(), 60'000);
        QCOMPARE(m_tool->links()->count(), 0);
        m_tool->findChild<QLineEdit *>(u"txtURL"_s)->setText(m_server->url(u"/d/p.htm"_s).toString());
        button("Command3")->click();
        QTRY_VERIFY(!m_tool->isRunning());
        QCOMPARE(m_tool->links()->count(), 3);
    }

    void cancelDuringASlowFetch()
    {
        openTool(u"/d/p.htm"_s);
        m_server->setHolding(true);
        button("Command3")->click();
        QTRY_VERIFY(m_server->wasRequested(u"/d/p.htm"_s));
        // The window keeps handling its events while the server takes its time.
        const int before = m_tool->busyBarTwips();
        QTRY_VERIFY(m_tool->busyBarTwips() != before);
        QVERIFY(m_tool->isRunning());
        button("Command4")->click();
        QTRY_VERIFY(!m_tool->isRunning());
        QCOMPARE(m_tool->links()->count(), 0);
        m_server->releaseHeld();
        QTest::qWait(50);
        QCOMPARE(m_tool->links()->count(), 0);
    }

    void closeDuringASlowFetch()
    {
        openTool(u"/d/p.htm"_s);
        m_server->setHolding(true);
        button("Command3")->click();
        QTRY_VERIFY(m_server->wasRequested(u"/d/p.htm"_s));
        QVERIFY(m_tool->close());
        QTRY_VERIFY(m_tool.isNull());
        m_server->releaseHeld();
        QTest::qWait(100); // nothing left to answer
    }

    void hundredToolsClosedMidFetch()
    {
        m_server->setHolding(true);
        QList<QPointer<LinkToolWindow>> tools;
        for (int i = 0; i < 100; ++i) {
            openTool(u"/d/p.htm"_s);
            button("Command3")->click();
            tools.append(m_tool);
        }
        QTRY_VERIFY(!m_server->requests().isEmpty()); // the rest wait in the transfer's queue
        for (const QPointer<LinkToolWindow> &tool : std::as_const(tools))
            QVERIFY(tool->close());
        QTRY_VERIFY(
            std::all_of(tools.cbegin(), tools.cend(), [](const QPointer<LinkToolWindow> &t) { return t.isNull(); }));
        m_server->releaseHeld();
        QTest::qWait(200); // the answers find no window and are dropped
    }
};

QTEST_MAIN(TestLinkToolHttp)
#include "tst_linktoolhttp.moc"
