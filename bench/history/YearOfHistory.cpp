// SPDX-License-Identifier: GPL-3.0-or-later
// A year of minute samples for the history benchmarks.
#include "YearOfHistory.h"

#include "history/HistoryStore.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {
constexpr int kDays = 365;
constexpr int kMinutesPerDay = 1440;
}  // namespace

QString BenchFolderTemplate() {
    const QByteArray chosen = qgetenv("VANTORIL_BENCH_DIR");
    const QString base = chosen.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(chosen);
    return base + QStringLiteral("/vantoril-bench-XXXXXX");
}

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
        if (!store.FinishConnection(
                id, start.addDays(1),
                {{kMinutesPerDay * 100000LL, kMinutesPerDay * 10000LL, kMinutesPerDay * 0.01},
                 kMinutesPerDay * 60},
                0, true))
            std::abort();
    }
    return dir;
}
