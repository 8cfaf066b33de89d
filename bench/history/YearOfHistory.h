// SPDX-License-Identifier: GPL-3.0-or-later
// What the history benchmarks share: a folder holding a year of history, and a fixed clock.
#pragma once

#include "core/Clock.h"

#include <QString>
#include <QTemporaryDir>

class PinnedClock final : public Clock {
public:
    explicit PinnedClock(QDateTime now) : now_(std::move(now)) {}
    QDateTime Now() const override { return now_; }

private:
    QDateTime now_;
};

// A folder for the files under $VANTORIL_BENCH_DIR (to measure a given disk), else under
// the system's temporary folder; never in the working folder.
QString BenchFolderTemplate();

// A year of 2026 in the history: one connection a day, up all day, a sample a minute.
// Made once per process.
QTemporaryDir& YearFolder();
