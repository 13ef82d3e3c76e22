// The link tool on a big page: the anchor scan of a 10 MB page with 50,000 anchors
// (reported as bytes per second of page), the export document of the same page, and
// listing and sorting 50,000 entries in the tool's list view.
#include "linktool/linkanalysis.h"
#include "linktool/linkexport.h"
#include "linktool/linklistmodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

constexpr int kAnchors = 50'000;
constexpr qsizetype kPageSize = 10 * 1024 * 1024;

// 50,000 anchors in mixed letter case with texts, images and filler between them, padded
// to 10 MB.
const QString &bigPage()
{
    static const QString page = [] {
        QString text;
        text.reserve(kPageSize + 1024);
        text += QStringLiteral("<html><head><title>big</title></head><body>\n");
        const qsizetype unit = kPageSize / kAnchors;
        const QString filler = QStringLiteral("Some ordinary text of the page, <b>bold</b> and <i>italic</i>, "
                                              "with a few <span class=\"x\">spans</span> in between. ");
        for (int i = 0; i < kAnchors; ++i) {
            const qsizetype start = text.size();
            const QString number = QString::number((i * 7919) % kAnchors);
            switch (i % 4) {
            case 0:
                text += QStringLiteral("<a href=\"page") + number + QStringLiteral(".htm\">Link ") + number
                    + QStringLiteral("</a>");
                break;
            case 1:
                text += QStringLiteral("<A HREF=\"../dir/") + number + QStringLiteral(".html\">リンク ") + number
                    + QStringLiteral("</A>");
                break;
            case 2:
                text += QStringLiteral("<a href=\"http://example.test/") + number
                    + QStringLiteral("\"><img src=\"i.png\"></a>");
                break;
            default:
                text += QStringLiteral("<A href=\"#s") + number + QStringLiteral("\">Section</A>");
                break;
            }
            while (text.size() - start < unit)
                text += filler;
            text.truncate(start + unit);
            text += QLatin1Char('\n');
        }
        text += QStringLiteral("</body></html>\n");
        return text;
    }();
    return page;
}

void BM_ScanAnchors(benchmark::State &state)
{
    const QString &page = bigPage();
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<linktool::LinkEntry> entries = linktool::scanAnchors(page, [] { return false; });
        found = entries.size();
        benchmark::DoNotOptimize(entries.data());
    }
    state.SetBytesProcessed(state.iterations() * page.size());
    state.counters["anchors"] = double(found);
    state.counters["MB"] = double(page.size()) / (1024 * 1024);
}
BENCHMARK(BM_ScanAnchors)->Unit(benchmark::kMillisecond);

void BM_BuildLinkList(benchmark::State &state)
{
    const QString &page = bigPage();
    for (auto _ : state) {
        const auto document =
            linktool::buildLinkList(page, QStringLiteral("links.htm"), QStringLiteral("http://example.test/p.htm"));
        benchmark::DoNotOptimize(document->data());
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_BuildLinkList)->Unit(benchmark::kMillisecond);

// Heap in use now, in bytes.
double heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

// A hostile page: 4,000 anchors that are never closed but by one "</a>" at the end
// (48 KB). Target: under 50 ms, and under 20 MB held by the entries.
void BM_ScanUnclosedAnchors(benchmark::State &state)
{
    QString page;
    for (int i = 0; i < 4000; ++i)
        page += QStringLiteral("<a href=\"%1\">t").arg(i % 10);
    page += QStringLiteral("</a>");
    double held = 0;
    qsizetype found = 0;
    for (auto _ : state) {
        const double before = heapInUse();
        const QList<linktool::LinkEntry> entries = linktool::scanAnchors(page);
        held = heapInUse() - before;
        found = entries.size();
        benchmark::DoNotOptimize(entries.data());
    }
    state.counters["anchors"] = double(found);
    state.counters["heldMB"] = held / (1024 * 1024);
    state.counters["pageKB"] = double(page.size()) / 1024;
}
BENCHMARK(BM_ScanUnclosedAnchors)->Unit(benchmark::kMillisecond);

// The entries the scan finds, listed in the tool's view and sorted by URL and by text.
void BM_ListAndSort(benchmark::State &state)
{
    const QList<linktool::LinkEntry> entries = linktool::scanAnchors(bigPage());
    for (auto _ : state) {
        QTreeView view;
        LinkListModel model;
        view.setUniformRowHeights(true);
        view.setRootIsDecorated(false);
        view.setModel(&model);
        view.resize(560, 300);
        view.show();
        model.setEntries(entries);
        model.sort(1, Qt::AscendingOrder);
        QApplication::processEvents();
        model.sort(1, Qt::DescendingOrder);
        QApplication::processEvents();
        model.sort(0, Qt::AscendingOrder);
        QApplication::processEvents();
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["entries"] = double(entries.size());
}
BENCHMARK(BM_ListAndSort)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
