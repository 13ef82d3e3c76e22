// Costs of the settings store on a file of 200 keys, and of start-up reading the whole
// record.
#include "app/settingsstore.h"
#include "app/startup.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Folder
{
    Folder()
    {
        qputenv("YURAGINE_HOME", QFile::encodeName(dir.path()));
        for (int i = 0; i < 100; ++i) {
            writeSetting(QStringLiteral("Window"), QStringLiteral("Key%1").arg(i), QStringLiteral("value %1").arg(i));
            writeSetting(QStringLiteral("Data"), QStringLiteral("Key%1").arg(i), QStringLiteral("値%1").arg(i));
        }
    }
    QTemporaryDir dir;
};

void BM_ReadSetting(benchmark::State &state)
{
    Folder folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(readSetting(QStringLiteral("Data"), QStringLiteral("Key19")));
}
BENCHMARK(BM_ReadSetting);

void BM_WriteSetting(benchmark::State &state)
{
    Folder folder;
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(writeSetting(QStringLiteral("Window"), QStringLiteral("Key7"), QString::number(++i)));
}
BENCHMARK(BM_WriteSetting);

void BM_ReadStartupState(benchmark::State &state)
{
    Folder folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(readStartupState());
}
BENCHMARK(BM_ReadStartupState);

// A settings file grown to 1 MB by hand-edits or another program's sections.
void BM_ReadStartupStateMegabyte(benchmark::State &state)
{
    Folder folder;
    QFile file(folder.dir.filePath(QStringLiteral("Yura3.ini")));
    if (!file.open(QIODevice::Append))
        state.SkipWithError("cannot grow the settings file");
    while (file.size() < 1024 * 1024)
        file.write("[Other]\r\nk=" + QByteArray(100, 'v') + "\r\n");
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(readStartupState());
}
BENCHMARK(BM_ReadStartupStateMegabyte)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
