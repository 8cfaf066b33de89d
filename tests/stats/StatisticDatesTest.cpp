// SPDX-License-Identifier: GPL-3.0-or-later
// The viewer's reading of month keys from a statistics file's text.
#include "stats/StatisticDates.h"

#include <gtest/gtest.h>

TEST(StatisticDates, commaAmountsGiveOneDatePerLineInFileOrder) {
    EXPECT_EQ(StatisticDates(QStringLiteral("[Statistic]\r\n03.2008=12,5\r\n02.2008=31,4\r\n"
                                            "01.2009=1,234568E+07\r\n")),
              (QStringList{QStringLiteral("03.2008"), QStringLiteral("02.2008"),
                           QStringLiteral("01.2009")}));
}

TEST(StatisticDates, itemsWithoutAKeyBeforeTheEqualsSignAreSkipped) {
    EXPECT_EQ(StatisticDates(QStringLiteral("[STATISTIC]\n=5\n\n   \n; note\n  04.2008=1\r"
                                            "[Other]\nplain\n")),
              QStringList{QStringLiteral("04.2008")});
    EXPECT_EQ(StatisticDates(QString()), QStringList());
}

TEST(StatisticDates, everyItemOfALineCounts) {
    // Items end at commas, so a hand-written line can carry several keys.
    EXPECT_EQ(StatisticDates(QStringLiteral("a=1, b=2,=3\n")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(StatisticDates, quotedItemRunsToTheClosingQuote) {
    EXPECT_EQ(StatisticDates(QStringLiteral("\"05.2008=1,5\" tail=9,06.2008=2\n\"07.2008=")),
              (QStringList{QStringLiteral("05.2008"), QStringLiteral("06.2008"),
                           QStringLiteral("07.2008")}));
    // A quote left open ends with its line, so no date holds a line break.
    EXPECT_EQ(StatisticDates(QStringLiteral("\"a\r\nb=1\n\"c\nd=2")),
              (QStringList{QStringLiteral("b"), QStringLiteral("d")}));
}
