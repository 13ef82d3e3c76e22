// A page that sets a lasting cookie in a loop: 2,000 changes reported by the engine. What
// counts is how long the UI thread is held by them (target: under 100 ms in all) and how
// often the shared file is rewritten and synced (a few times a second at most).
#include "platform/webengine/sharedcookiejar.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QNetworkCookie>
#include <QTemporaryDir>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

#include <benchmark/benchmark.h>

namespace {

void BM_CookieLoop(benchmark::State &state)
{
    QWebEngineProfile profile; // off the record: only its store is used
    QWebEngineCookieStore *store = profile.cookieStore();
    double heldMs = 0;
    int rewrites = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("cookies.txt"));
        auto *jar = new platform::SharedCookieJar(store, file);
        QFileSystemWatcher watcher({folder.path()});
        rewrites = 0;
        QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, [&rewrites] { ++rewrites; });
        state.ResumeTiming();

        // What the engine reports for each change, one a millisecond for two seconds: the
        // old value removed, the new added. Only the time inside the reports counts.
        QElapsedTimer clock;
        clock.start();
        qint64 heldNs = 0;
        QNetworkCookie previous;
        for (int i = 0; i < 2000; ++i) {
            QNetworkCookie cookie("counter", QByteArray::number(i));
            cookie.setDomain(QStringLiteral("127.0.0.1"));
            cookie.setPath(QStringLiteral("/"));
            cookie.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(1));
            const qint64 before = clock.nsecsElapsed();
            if (i > 0)
                Q_EMIT store->cookieRemoved(previous);
            Q_EMIT store->cookieAdded(cookie);
            heldNs += clock.nsecsElapsed() - before;
            previous = cookie;
            while (clock.nsecsElapsed() < (i + 1) * 1'000'000LL)
                QCoreApplication::processEvents();
        }
        heldMs = double(heldNs) / 1e6;
        state.PauseTiming();
        delete jar; // writes what is left
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["uiHeldMs"] = heldMs;
    state.counters["rewrites"] = rewrites;
}
BENCHMARK(BM_CookieLoop)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
