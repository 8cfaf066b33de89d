// The history's costs: one sample written while a connection is up, and the period's
// report over a year of minute samples (a link up all day, a connection a day).
#include "history/HistoryStore.h"
#include "shell/Clock.h"
#include "tools/vantoril-history/HistoryTool.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <benchmark/benchmark.h>

namespace {

constexpr int kDays = 365;
constexpr int kMinutesPerDay = 1440;

class PinnedClock final : public Clock {
public:
    explicit PinnedClock(QDateTime now) : now_(std::move(now)) {}
    QDateTime Now() const override { return now_; }

private:
    QDateTime now_;
};

// A folder for the files under $VANTORIL_BENCH_DIR (to measure a given disk), else under
// the system's temporary folder; never in the working folder.
QString BenchFolderTemplate() {
    const QByteArray chosen = qgetenv("VANTORIL_BENCH_DIR");
    const QString base = chosen.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(chosen);
    return base + QStringLiteral("/vantoril-bench-XXXXXX");
}

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
    }
}
BENCHMARK(SampleWrite)->Unit(benchmark::kMicrosecond);

// A year of 2026 in the history: one connection a day, up all day, a sample a minute.
QTemporaryDir& YearFolder() {
    static QTemporaryDir dir(BenchFolderTemplate());
    static bool filled = false;
    if (filled) return dir;
    filled = true;
    HistoryStore store(dir.filePath(QLatin1String(kHistoryFile)));
    if (!store.Open()) std::abort();
    QSqlDatabase db = QSqlDatabase::database(store.ConnectionName());
    for (int day = 0; day < kDays; ++day) {
        const QDateTime start(QDate(2026, 1, 1).addDays(day), QTime(0, 0));
        const int64_t id =
            *store.BeginConnection({QStringLiteral("MyISP"), QStringLiteral("auto"), start, 0});
        // The day's samples in one transaction: filling a year one write at a time is slow.
        db.transaction();
        QSqlQuery sample(db);
        sample.prepare(QStringLiteral("INSERT INTO samples VALUES (?, ?, ?, ?, ?, ?)"));
        for (int minute = 1; minute <= kMinutesPerDay; ++minute) {
            for (const QVariant& value :
                 {QVariant(qint64(id)), QVariant(start.addSecs(60 * minute).toSecsSinceEpoch()),
                  QVariant(qint64(minute) * 100000), QVariant(qint64(minute) * 10000),
                  QVariant(minute * 60), QVariant(minute * 0.01)})
                sample.addBindValue(value);
            if (!sample.exec()) std::abort();
        }
        db.commit();
        if (!store.FinishConnection(id, start.addDays(1),
                                    {{kMinutesPerDay * 100000LL, kMinutesPerDay * 10000LL,
                                      kMinutesPerDay * 0.01},
                                     kMinutesPerDay * 60},
                                    0, true))
            std::abort();
    }
    return dir;
}

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
