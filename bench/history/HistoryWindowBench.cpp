// SPDX-License-Identifier: GPL-3.0-or-later
// The history window opening on a year of history at 24 connections a day: the figures gathered,
// the window built, shown and painted once; and the figures alone.
#include "YearOfHistory.h"
#include "history/HistoryReports.h"
#include "history/HistoryStore.h"
#include "history/HistoryView.h"
#include "history/ui/HistoryWindow.h"

#include <QApplication>
#include <QLabel>

#include <benchmark/benchmark.h>

namespace {

const QDateTime kNow = kBenchNow;

void HistoryViewOverAYear(benchmark::State& state) {
    const ProgramFolder folder(HistoryFolder(1, 24).path());
    for (auto _ : state) benchmark::DoNotOptimize(LoadHistoryView(folder, kNow, QLocale::c()));
}
BENCHMARK(HistoryViewOverAYear)->Unit(benchmark::kMillisecond);

void HistoryWindowOpensOnAYear(benchmark::State& state) {
    const ProgramFolder folder(HistoryFolder(1, 24).path());
    const PinnedClock clock(kNow);
    for (auto _ : state) {
        HistoryWindow window(folder, clock, QLocale::c());
        window.show();
        benchmark::DoNotOptimize(window.grab());  // laid out and painted
        // Without its module the window would be measured without the chart.
        if (window.findChild<QLabel*>(QStringLiteral("chart")))
            state.SkipWithError("the chart module was not loaded");
    }
}
// Once, first: the window that loads the chart module and Qt Charts with it.
BENCHMARK(HistoryWindowOpensOnAYear)
    ->Name("HistoryWindowOpensFirstLoadingTheChart")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(HistoryWindowOpensOnAYear)->Unit(benchmark::kMillisecond);

// A minute's reload of the window open on the chart: the figures read again and shown,
// with the running program's usage grown since the last (today's bar changes).
void HistoryWindowReloadsOnAYear(benchmark::State& state) {
    const ProgramFolder folder(HistoryFolder(1, 24).path());
    const PinnedClock clock(kNow);
    HistoryStore store(folder.AppFilePath(QLatin1String(kHistoryFile)));
    if (!store.Open(HistoryStore::Mode::ReadOnly)) std::abort();
    PeriodReport live = StoredPeriodReport(store, PeriodLimits{}, kNow);
    store.Close();
    HistoryWindow window(folder, clock, QLocale::c(), nullptr, HistoryWindow::AskForSaveFile,
                         [&live] {
                             live.used.received += 1'000'000;
                             return live;
                         });
    window.show();
    window.grab();
    for (auto _ : state) {
        window.Reload();
        QApplication::processEvents();  // the repaint it asks for
    }
}
BENCHMARK(HistoryWindowReloadsOnAYear)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("VANTORIL_CHART_MODULE", VANTORIL_CHART_MODULE);  // beside the program, not here
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
