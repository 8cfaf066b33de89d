// SPDX-License-Identifier: GPL-3.0-or-later
// The history's costs: one sample written while a connection is up (the hourly copy of
// the log into the file running beside it, as in the program), and the period's
// report over a year of minute samples (a link up all day, a connection a day).
#include "YearOfHistory.h"
#include "core/Clock.h"
#include "history/HistoryStore.h"
#include "tools/vantoril-history/HistoryTool.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void SampleWrite(benchmark::State& state) {
    QTemporaryDir dir(BenchFolderTemplate());
    HistoryStore store(dir.filePath(QLatin1String(kHistoryFile)));
    if (!store.Open()) std::abort();
    QDateTime at(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC);
    const std::optional<int64_t> id =
        store.BeginConnection({QStringLiteral("MyISP"), QStringLiteral("auto"), at, 0});
    ConnectionFigures figures;
    for (auto _ : state) {
        at = at.addSecs(60);
        figures.usage.received += 123456;
        figures.usage.sent += 12345;
        figures.usage.cost += 0.25;
        figures.onlineSeconds += 60;
        if (!store.AddSample(*id, at, figures)) std::abort();
        // As the program does: the log is copied into the file hourly, on another thread.
        if (figures.onlineSeconds % 3600 == 0) store.CheckpointInBackground();
    }
}
BENCHMARK(SampleWrite)->Unit(benchmark::kMicrosecond);

void Report(benchmark::State& state, const QString& command) {
    const QString folder = YearFolder().path();
    const PinnedClock clock(QDateTime(QDate(2026, 12, 20), QTime(12, 0)));
    QString out, err;
    for (auto _ : state) {
        out.clear();
        QTextStream outStream(&out), errStream(&err);
        if (RunHistoryTool({QStringLiteral("--folder"), folder, command, QStringLiteral("--format"),
                            QStringLiteral("json")},
                           outStream, errStream, clock, QLocale::c()) != 0)
            std::abort();
    }
}

// vantoril-history period: open the file, read the settings, total the period, write JSON.
void PeriodOverAYear(benchmark::State& state) {
    Report(state, QStringLiteral("period"));
}
BENCHMARK(PeriodOverAYear)->Unit(benchmark::kMillisecond);

// vantoril-history days over the current period (20 days of minute samples).
void DaysOfThePeriodOverAYear(benchmark::State& state) {
    Report(state, QStringLiteral("days"));
}
BENCHMARK(DaysOfThePeriodOverAYear)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
