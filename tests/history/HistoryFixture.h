// SPDX-License-Identifier: GPL-3.0-or-later
// A program folder with a history of a few connections, budget settings and statistics
// files for the months before the history began; "now" is 2026-03-20 12:00, local time.
#pragma once

#include "TempFolder.h"
#include "history/HistoryStore.h"

#include <QDir>

#include <gtest/gtest.h>

namespace history_fixture {

constexpr int64_t kMb = 1048576;

inline QDateTime Local(int y, int m, int d, int h, int min) {
    return QDateTime(QDate(y, m, d), QTime(h, min));
}

inline const QDateTime kNow = Local(2026, 3, 20, 12, 0);

// The period runs from 10 March to 9 April 2026: budget 100, cap 1000 MB.
inline void WriteSettings(const TempFolder& folder) {
    folder.Write(QStringLiteral("inet.conf"),
                 "[Vantoril]\r\nType_tar=0\r\ncycle_day=10\r\nbudget=100\r\ncap_mb=1000\r\n");
}

// Booked months in two files (Russian decimal commas), one month the history also has.
inline void WriteBooks(const TempFolder& folder) {
    ASSERT_TRUE(QDir(folder.Path()).mkpath(QStringLiteral("connections")));
    folder.Write(QStringLiteral("connections/MyISP.vlg"),
                 "[Statistic]\r\n11.2025=12,5\r\n12.2025=20\r\n03.2026=999\r\n");
    folder.Write(QStringLiteral("connections/Other.vlg"), "[Statistic]\r\n12.2025=7,5\r\n");
}

// January: one connection (5). This period: 30 on the 12th; one cut short over the
// night of the 15th (1 before midnight, 4 after); one still up today (55).
inline void WriteHistory(const TempFolder& folder) {
    HistoryStore store(folder.File(QLatin1String(kHistoryFile)));
    ASSERT_TRUE(store.Open());
    const auto begin = [&](const QString& name, const QDateTime& start) {
        const std::optional<int64_t> id =
            store.BeginConnection({name, QStringLiteral("auto"), start, 0});
        EXPECT_TRUE(id.has_value());
        return id.value_or(0);
    };
    const int64_t january = begin(QStringLiteral("MyISP"), Local(2026, 1, 5, 10, 0));
    EXPECT_TRUE(store.AddSample(january, Local(2026, 1, 5, 10, 1), {{kMb, 0, 1}, 60}));
    EXPECT_TRUE(store.FinishConnection(january, Local(2026, 1, 5, 10, 30),
                                       {{10 * kMb, kMb, 5}, 1800}, 0, true));
    const int64_t twelfth = begin(QStringLiteral("MyISP"), Local(2026, 3, 12, 10, 0));
    EXPECT_TRUE(
        store.AddSample(twelfth, Local(2026, 3, 12, 10, 5), {{3 * kMb, kMb / 2, 1.25}, 300}));
    EXPECT_TRUE(store.FinishConnection(twelfth, Local(2026, 3, 12, 11, 0),
                                       {{20 * kMb, 2 * kMb, 30}, 3600}, 0, true));
    const int64_t night = begin(QStringLiteral("Дом, \"2\""), Local(2026, 3, 15, 23, 50));
    EXPECT_TRUE(store.AddSample(night, Local(2026, 3, 15, 23, 59), {{2 * kMb, 0, 1}, 540}));
    EXPECT_TRUE(store.AddSample(night, Local(2026, 3, 16, 0, 10), {{8 * kMb, kMb, 5}, 1200}));
    EXPECT_TRUE(store.CloseCutShort(night));
    const int64_t today = begin(QStringLiteral("MyISP"), Local(2026, 3, 20, 9, 0));
    EXPECT_TRUE(store.AddSample(today, Local(2026, 3, 20, 11, 0), {{50 * kMb, 5 * kMb, 55}, 7200}));
}

inline void WriteAll(const TempFolder& folder) {
    WriteSettings(folder);
    WriteBooks(folder);
    WriteHistory(folder);
}

}  // namespace history_fixture
