#include "app/inifile.h"
#include "app/settingsstore.h"
#include "tests/support/tempprogramfolder.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString kWriter = QStringLiteral(SETTINGS_WRITER);

// Every line of the file is blank, a section header or a key; no half-written line.
bool parsesCleanly(const QByteArray &bytes, QString *why)
{
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n")) {
        *why = u"file does not end with CR LF"_s;
        return false;
    }
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        const bool ok = line == "\r" || line.startsWith(';') || (line.startsWith('[') && line.endsWith("]\r"))
            || (line.indexOf('=') > 0 && line.endsWith('\r'));
        if (!ok) {
            *why = u"bad line %1: %2"_s.arg(i).arg(QString::fromLatin1(line));
            return false;
        }
    }
    return true;
}

} // namespace

class TestSettingsProcesses : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Processes writing different keys at the same time lose none of them.
    void concurrentWritersLoseNoKey()
    {
        TempProgramFolder folder;
        constexpr int kProcesses = 8;
        constexpr int kKeys = 200;
        std::vector<std::unique_ptr<QProcess>> writers;
        for (int p = 0; p < kProcesses; ++p) {
            auto process = std::make_unique<QProcess>();
            process->start(kWriter, {u"distinct"_s, u"P%1"_s.arg(p), QString::number(kKeys)});
            writers.push_back(std::move(process));
        }
        for (auto &process : writers) {
            QVERIFY(process->waitForFinished(300000));
            QCOMPARE(process->exitStatus(), QProcess::NormalExit);
            QCOMPARE(process->exitCode(), 0);
        }

        const QByteArray bytes = folder.read(u"Yura3.ini"_s);
        QString why;
        QVERIFY2(parsesCleanly(bytes, &why), qPrintable(why));
        const IniDocument document(bytes);
        int found = 0;
        for (int p = 0; p < kProcesses; ++p) {
            for (int i = 0; i < kKeys; ++i) {
                const auto value = document.value(u"Load", u"P%1_%2"_s.arg(p).arg(i));
                QVERIFY2(value, qPrintable(u"P%1_%2 missing"_s.arg(p).arg(i)));
                QCOMPARE(*value, QByteArray("v") + QByteArray::number(i));
                ++found;
            }
        }
        QCOMPARE(found, kProcesses * kKeys);
    }

    // A writer killed at any moment leaves a whole file holding every write that returned.
    void killedWriterLeavesWholeFile()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(u"Yura3.ini"_s, "; kept comment\r\n[Load]\r\nfirst=1\r\n"));
        std::vector<std::pair<QString, long>> confirmed; // prefix, last returned index
        for (int round = 0; round < 6; ++round) {
            const QString prefix = u"R%1"_s.arg(round);
            QProcess writer;
            writer.start(kWriter, {u"loop"_s, prefix});
            QVERIFY(writer.waitForStarted());
            // Let it write a while, a different time each round, then kill it mid-flight.
            QByteArray output;
            const int wanted = 5 + int(QRandomGenerator::global()->bounded(40));
            while (output.count('\n') < wanted && writer.waitForReadyRead(10000))
                output += writer.readAllStandardOutput();
            QTest::qWait(int(QRandomGenerator::global()->bounded(30)));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            output += writer.readAllStandardOutput();
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            const QList<QByteArray> printed = output.trimmed().split('\n');
            QVERIFY(!printed.isEmpty());
            confirmed.emplace_back(prefix, printed.last().trimmed().toLong());

            const QByteArray bytes = folder.read(u"Yura3.ini"_s);
            QString why;
            QVERIFY2(parsesCleanly(bytes, &why), qPrintable(why));
            QVERIFY(bytes.startsWith("; kept comment\r\n[Load]\r\nfirst=1\r\n"));
            const IniDocument document(bytes);
            for (const auto &[name, last] : confirmed) {
                for (long i = 0; i <= last; ++i) {
                    const auto value = document.value(u"Load", u"%1_%2"_s.arg(name).arg(i));
                    QVERIFY2(value, qPrintable(u"%1_%2 lost"_s.arg(name).arg(i)));
                    QCOMPARE(*value, QByteArray("v") + QByteArray::number(qlonglong(i)));
                }
            }
        }
        // The store still works after the crashes.
        QCOMPARE(writeSetting(u"Load"_s, u"after"_s, u"ok"_s), 1);
        QCOMPARE(readSetting(u"Load"_s, u"after"_s), u"ok"_s);
    }
};

QTEST_GUILESS_MAIN(TestSettingsProcesses)
#include "tst_settingsprocesses.moc"
