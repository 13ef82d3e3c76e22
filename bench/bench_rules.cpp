// The rules on every navigation and at start-up, on inputs the size of a heavy user's:
// the block-list check with 10,000 entries, the typed-address rule, scanning a favorites
// folder of 769 entries and importing a bookmark file of 5,000 entries.
#include "app/navigation.h"
#include "blocking/blocklist.h"
#include "sidebar/bookmarks.h"
#include "sidebar/favoritestree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

void BM_BlockListCheck(benchmark::State &state)
{
    QStringList entries;
    for (int i = 0; i < 10'000; ++i)
        entries << QStringLiteral("adserver%1.example").arg(i);
    // The worst case: an address that matches nothing is compared with every entry.
    const QString address = QStringLiteral("https://www.example.jp/news/2026/12/08/article.html?id=12345");
    for (auto _ : state)
        benchmark::DoNotOptimize(blocklist::firstMatch(entries, address));
}
BENCHMARK(BM_BlockListCheck)->Unit(benchmark::kMicrosecond);

// What a navigation really pays: the file looked at (and read when it changed), then
// the check.
void BM_BlockListNavigation(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("blacklist.ini"));
    QStringList entries;
    for (int i = 0; i < state.range(0); ++i)
        entries << QStringLiteral("adserver%1.example").arg(i);
    if (!blocklist::write(path, entries))
        state.SkipWithError("cannot write the list");
    const QString address = QStringLiteral("https://www.example.jp/news/2026/12/08/article.html?id=12345");
    // A list saved moments ago is read each time until its time stamp has settled.
    QThread::sleep(4);
    blocklist::ListCache cache;
    for (auto _ : state)
        benchmark::DoNotOptimize(blocklist::firstMatch(cache.entries(path), address));
}
BENCHMARK(BM_BlockListNavigation)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);

void BM_TypedAddress(benchmark::State &state)
{
    const QString typed[] = {QStringLiteral("www.example.jp"), QStringLiteral("ゆらぎね 使い方"),
                             QStringLiteral("http://127.0.0.1/a"), QStringLiteral("/home/user/page.htm")};
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(typedAddressTarget(typed[i++ % 4]));
}
BENCHMARK(BM_TypedAddress);

// 769 entries: 69 folders of 10 shortcuts each, and 30 at the top.
struct Favorites
{
    Favorites()
    {
        auto shortcut = [](const QString &path) {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write("[InternetShortcut]\r\nURL=http://127.0.0.1/\r\n");
        };
        for (int f = 0; f < 69; ++f) {
            const QString folder = QStringLiteral("フォルダ%1").arg(f);
            QDir(dir.path()).mkdir(folder);
            for (int i = 0; i < 10; ++i)
                shortcut(dir.filePath(folder + QStringLiteral("/ページ%1.url").arg(i)));
        }
        for (int i = 0; i < 30; ++i)
            shortcut(dir.filePath(QStringLiteral("トップ%1.url").arg(i)));
    }
    QTemporaryDir dir;
};

void BM_FavoritesScan(benchmark::State &state)
{
    Favorites favorites;
    favorites::FileSystemLister lister;
    for (auto _ : state)
        benchmark::DoNotOptimize(favorites::scanFavoritesFolder(lister, favorites.dir.path()));
}
BENCHMARK(BM_FavoritesScan)->Unit(benchmark::kMillisecond);

// A folder of 50,000 shortcuts: every name is listed and sorted before the first 257 are
// taken.
void BM_FavoritesScanFiftyThousand(benchmark::State &state)
{
    QTemporaryDir dir;
    for (int i = 0; i < 50'000; ++i) {
        QFile file(dir.filePath(QStringLiteral("ページ%1.url").arg(i)));
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot create the shortcuts");
            return;
        }
    }
    favorites::FileSystemLister lister;
    for (auto _ : state)
        benchmark::DoNotOptimize(favorites::scanFavoritesFolder(lister, dir.path()));
}
BENCHMARK(BM_FavoritesScanFiftyThousand)->Unit(benchmark::kMillisecond);

void BM_BookmarkImport(benchmark::State &state)
{
    QByteArray html = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<TITLE>Bookmarks</TITLE>\n<DL><p>\n";
    for (int f = 0; f < 50; ++f) {
        html += "<DT><H3>folder " + QByteArray::number(f) + "</H3>\n<DL><p>\n";
        for (int i = 0; i < 100; ++i)
            html += "<DT><A HREF=\"http://127.0.0.1/" + QByteArray::number(f * 100 + i) + "\">page "
                + QByteArray::number(i) + "</A>\n";
        html += "</DL><p>\n";
    }
    html += "</DL><p>\n";
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir target;
        state.ResumeTiming();
        benchmark::DoNotOptimize(bookmarks::importNetscapeHtml(html, target.path()));
    }
}
BENCHMARK(BM_BookmarkImport)->Unit(benchmark::kMillisecond)->Iterations(3);

// A hostile file: megabytes of "&" without a ";". Target: 4 MB under 1 s, and time in
// proportion to the size (the fitted complexity is O(N)).
void BM_ImportAmpersands(benchmark::State &state)
{
    const QByteArray html = "<DL><p><DT><A HREF=\"http://127.0.0.1/\">" + QByteArray(state.range(0), '&') + "</A></DL>";
    std::optional<QTemporaryDir> target;
    for (auto _ : state) {
        state.PauseTiming();
        target.reset(); // removing the files is no part of the import
        target.emplace();
        state.ResumeTiming();
        benchmark::DoNotOptimize(bookmarks::importNetscapeHtml(html, target->path()));
    }
    target.reset(); // after the timed loop
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ImportAmpersands)
    ->Arg(1 << 20)
    ->Arg(2 << 20)
    ->Arg(4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Complexity(benchmark::oN);

// Links that all have one title: each finds its free number without trying the ones
// before it. Target: time in proportion to the number of links (O(N)).
void BM_ImportSameTitles(benchmark::State &state)
{
    QByteArray html = "<DL><p>\n";
    for (int i = 0; i < state.range(0); ++i)
        html += "<DT><A HREF=\"http://127.0.0.1/" + QByteArray::number(i) + "\">同じ題</A>\n";
    html += "</DL>\n";
    std::optional<QTemporaryDir> target;
    for (auto _ : state) {
        state.PauseTiming();
        target.reset(); // removing the files is no part of the import
        target.emplace();
        state.ResumeTiming();
        benchmark::DoNotOptimize(bookmarks::importNetscapeHtml(html, target->path()));
    }
    target.reset(); // after the timed loop
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ImportSameTitles)
    ->Arg(2'500)
    ->Arg(5'000)
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
