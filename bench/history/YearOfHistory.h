// SPDX-License-Identifier: GPL-3.0-or-later
// What the history benchmarks share: folders holding years of history, and a fixed clock.
#pragma once

#include "core/Clock.h"

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

class PinnedClock final : public Clock {
public:
    explicit PinnedClock(QDateTime now) : now_(std::move(now)) {}
    QDateTime Now() const override { return now_; }

private:
    QDateTime now_;
};

// The moment the benchmarks look at the history from: its last connection ended before it.
inline const QDateTime kBenchNow(QDate(2026, 12, 20), QTime(12, 0));

// A folder for the files under $VANTORIL_BENCH_DIR (to measure a given disk), else under
// the system's temporary folder; never in the working folder.
QString BenchFolderTemplate();

// `years` of 365 days of history up to kBenchNow: `perDay` connections a day, each up for
// all of its share of the day but a minute, from half past an hour (so the last crosses
// midnight), with a sample a minute of uneven traffic priced per MB; written as schema 3
// stored it (a row per sample), fast, in one transaction.
void WriteSchema3History(const QString& path, int years, int perDay);

// The same history upgraded by the store to the current schema. Made once per process and
// shape; the write-ahead log is copied into the file before it is handed out.
// With $VANTORIL_BENCH_KEEP set the folder is kept and named on the standard error.
QTemporaryDir& HistoryFolder(int years, int perDay);
