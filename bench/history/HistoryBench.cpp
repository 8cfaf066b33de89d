// SPDX-License-Identifier: GPL-3.0-or-later
// The history's costs: one sample written while a connection is up (the hourly copy of
// the log into the file running beside it, as in the program); the recorder's minute with
// a full billing period behind it and with an empty one; the tool's reports over one and
// five years of 24 connections a day; the file's size for a year.
#include "YearOfHistory.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"
#include "tools/vantoril-history/HistoryTool.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPerDay = 24;

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

class SteppedClock final : public Clock {
public:
    explicit SteppedClock(QDateTime now) : now_(std::move(now)) {}
    QDateTime Now() const override { return now_; }
    void Step(int seconds) { now_ = now_.addSecs(seconds); }

private:
    QDateTime now_;
};

// One minute of the program's history work while a connection is up: the sample written,
// the period's report with the running figures, as the indicator asks for it. The period
// (from the 21st, a budget, a plan with included megabytes) holds ~710 stored connections,
// or none.
void RecorderMinute(benchmark::State& state, bool fullPeriod) {
    QTemporaryDir dir(BenchFolderTemplate());
    const QString path = dir.filePath(QLatin1String(kHistoryFile));
    if (fullPeriod &&
        !QFile::copy(HistoryFolder(1, kPerDay).filePath(QLatin1String(kHistoryFile)), path))
        std::abort();
    HistoryStore store(path);
    SteppedClock clock(QDateTime(kBenchNow.date(), QTime(1, 0)));
    HistoryRecorder recorder(store, clock, QLocale::c());
    recorder.Start();
    PeriodLimits limits;
    limits.cycleDay = 21;
    limits.budget = 1e6;
    limits.planFee = 10;
    limits.includedMb = 1e6;
    HistorySighting up;
    up.connected = true;
    up.name = QStringLiteral("MyISP");
    up.linkSource = QStringLiteral("auto");
    recorder.Tick(up, limits);  // the row begins
    for (auto _ : state) {
        clock.Step(60);
        up.figures.usage.received += 123456;
        up.figures.usage.sent += 12345;
        up.figures.usage.cost += 0.25;
        up.figures.onlineSeconds += 60;
        recorder.Tick(up, limits);
        benchmark::DoNotOptimize(recorder.Report(limits, up.figures));
    }
    if (!recorder.Recording()) state.SkipWithError("the history was not kept");
}
BENCHMARK_CAPTURE(RecorderMinute, EmptyPeriod, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RecorderMinute, PeriodOf710Connections, true)->Unit(benchmark::kMicrosecond);

void Report(benchmark::State& state, const QString& folder, const QStringList& command) {
    const PinnedClock clock(kBenchNow);
    QString out, err;
    for (auto _ : state) {
        out.clear();
        QTextStream outStream(&out), errStream(&err);
        if (RunHistoryTool(QStringList{QStringLiteral("--folder"), folder} + command +
                               QStringList{QStringLiteral("--format"), QStringLiteral("json")},
                           outStream, errStream, clock, QLocale::c()) != 0)
            std::abort();
    }
}

// vantoril-history period: open the file, read the settings, total the period, write JSON.
void PeriodOverAYear(benchmark::State& state) {
    Report(state, HistoryFolder(1, kPerDay).path(), {QStringLiteral("period")});
}
BENCHMARK(PeriodOverAYear)->Unit(benchmark::kMillisecond);

// vantoril-history days over the current period (19 days).
void DaysOfThePeriodOverAYear(benchmark::State& state) {
    Report(state, HistoryFolder(1, kPerDay).path(), {QStringLiteral("days")});
}
BENCHMARK(DaysOfThePeriodOverAYear)->Unit(benchmark::kMillisecond);

// vantoril-history days over all of five years: 1825 rows.
void DaysOverFiveYears(benchmark::State& state) {
    const QDate last = kBenchNow.date().addDays(-1);
    Report(state, HistoryFolder(5, kPerDay).path(),
           {QStringLiteral("days"), QStringLiteral("--from"),
            last.addDays(1 - 5 * 365).toString(Qt::ISODate), QStringLiteral("--to"),
            last.toString(Qt::ISODate)});
}
BENCHMARK(DaysOverFiveYears)->Unit(benchmark::kMillisecond);

// Opening a year's file of schema 3 for the first time: its samples packed in blocks in
// one transaction, then the file compacted.
void UpgradeOfAYear(benchmark::State& state) {
    QTemporaryDir dir(BenchFolderTemplate());
    const QString old = dir.filePath(QStringLiteral("schema-3.sqlite"));
    WriteSchema3History(old, 1, kPerDay);
    state.counters["MB_before"] = double(QFileInfo(old).size()) / 1e6;
    const QString path = dir.filePath(QLatin1String(kHistoryFile));
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        if (!QFile::copy(old, path)) std::abort();
        state.ResumeTiming();
        HistoryStore store(path);
        if (!store.Open()) std::abort();
    }
}
BENCHMARK(UpgradeOfAYear)->Unit(benchmark::kMillisecond)->Iterations(1);

// The size of a year's file, its log copied in: the counter is the measure, not the time.
void HistoryFileOfAYear(benchmark::State& state) {
    const QString path = HistoryFolder(1, kPerDay).filePath(QLatin1String(kHistoryFile));
    for (auto _ : state) benchmark::DoNotOptimize(QFileInfo(path).size());
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(HistoryFileOfAYear)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
