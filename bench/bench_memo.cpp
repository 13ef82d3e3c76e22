// The memo pad with a 10 MB Shift_JIS file: from the chosen path to the text shown, and
// saving it back.
#include "memo/memopadwindow.h"
#include "platform/codepage.h"
#include "tests/support/fakebrowserhost.h"
#include "tests/support/fakeplatform.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Memo
{
    Memo()
    {
        qputenv("YURAGINE_HOME", QFile::encodeName(dir.path()));
        QByteArray line = ansi::encode(u"ゆらぎねのメモ帳に読み込む長い行です。ABCDEFG 0123456789 かなカナ漢字\r\n");
        QByteArray bytes;
        bytes.reserve(10 << 20);
        while (bytes.size() < (10 << 20))
            bytes += line;
        path = dir.filePath(QStringLiteral("big.txt"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QTemporaryDir dir;
    QString path;
    FakePlatform fake;
    FakeBrowserHost host;
};

void openFile(MemoPadWindow &memo, const QString &path)
{
    QEventLoop loop;
    QObject::connect(&memo, &MemoPadWindow::fileOpened, &loop, &QEventLoop::quit);
    memo.openFile(path);
    loop.exec();
}

void BM_OpenTenMegabytes(benchmark::State &state)
{
    Memo m;
    for (auto _ : state) {
        MemoPadWindow memo(m.host, m.fake.platform());
        memo.show();
        openFile(memo, m.path);
        QCoreApplication::processEvents(); // the first paint of the text
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(m.path).size());
}
BENCHMARK(BM_OpenTenMegabytes)->Unit(benchmark::kMillisecond);

void BM_SaveTenMegabytes(benchmark::State &state)
{
    Memo m;
    MemoPadWindow memo(m.host, m.fake.platform());
    openFile(memo, m.path);
    for (auto _ : state)
        memo.saveToDocumentPath();
    state.SetBytesProcessed(state.iterations() * QFileInfo(m.path).size());
}
BENCHMARK(BM_SaveTenMegabytes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
