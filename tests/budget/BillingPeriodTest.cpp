// SPDX-License-Identifier: GPL-3.0-or-later
// The billing period's dates, the projection and the money left per day.
#include "budget/BillingPeriod.h"
#include "core/Settings.h"

#include <gtest/gtest.h>

namespace {

BillingPeriod Period(int y, int m, int d, int cycleDay) {
    return PeriodContaining(QDate(y, m, d), cycleDay);
}

void ExpectPeriod(const BillingPeriod& period, QDate start, QDate lastDay) {
    EXPECT_EQ(period.start, start);
    EXPECT_EQ(period.LastDay(), lastDay);
}

PeriodLimits Limits(int cycleDay, double budget = 0, double capMb = 0) {
    PeriodLimits limits;
    limits.cycleDay = cycleDay;
    limits.budget = budget;
    limits.capMb = capMb;
    return limits;
}

QDateTime Local(int y, int m, int d, int h = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, 0));
}

}  // namespace

TEST(BillingPeriod, aCycleDayPastTheMonthsEndIsItsLastDay) {
    // Periods starting on the 31st: in February on the 28th, in a leap year the 29th.
    ExpectPeriod(Period(2026, 2, 15, 31), QDate(2026, 1, 31), QDate(2026, 2, 27));
    ExpectPeriod(Period(2026, 2, 28, 31), QDate(2026, 2, 28), QDate(2026, 3, 30));
    ExpectPeriod(Period(2028, 2, 28, 31), QDate(2028, 1, 31), QDate(2028, 2, 28));
    ExpectPeriod(Period(2028, 2, 29, 31), QDate(2028, 2, 29), QDate(2028, 3, 30));
    ExpectPeriod(Period(2026, 4, 30, 31), QDate(2026, 4, 30), QDate(2026, 5, 30));
    ExpectPeriod(Period(2026, 5, 31, 31), QDate(2026, 5, 31), QDate(2026, 6, 29));
    ExpectPeriod(Period(2026, 3, 1, 30), QDate(2026, 2, 28), QDate(2026, 3, 29));
    EXPECT_EQ(Period(2028, 2, 29, 31).Days(), 31);
}

TEST(BillingPeriod, periodsTurnOnTheirDayAndOverTheYear) {
    ExpectPeriod(Period(2026, 3, 1, 1), QDate(2026, 3, 1), QDate(2026, 3, 31));
    ExpectPeriod(Period(2026, 3, 14, 15), QDate(2026, 2, 15), QDate(2026, 3, 14));
    ExpectPeriod(Period(2026, 3, 15, 15), QDate(2026, 3, 15), QDate(2026, 4, 14));
    ExpectPeriod(Period(2027, 1, 4, 10), QDate(2026, 12, 10), QDate(2027, 1, 9));
    // Hand-edited days outside 1..31.
    ExpectPeriod(Period(2026, 3, 14, 0), QDate(2026, 3, 1), QDate(2026, 3, 31));
    ExpectPeriod(Period(2026, 3, 14, 45), QDate(2026, 2, 28), QDate(2026, 3, 30));
}

TEST(BillingPeriod, limitsComeFromTheSettingsAndNonsenseMeansNone) {
    Settings settings;
    EXPECT_EQ(LimitsOf(settings).cycleDay, 1);
    EXPECT_TRUE(LimitsOf(settings).alerts);
    settings.budget = -5;
    settings.cap_mb = std::numeric_limits<double>::infinity();
    settings.alerts = 2;
    EXPECT_EQ(LimitsOf(settings).budget, 0);
    EXPECT_EQ(LimitsOf(settings).capMb, 0);
    EXPECT_FALSE(LimitsOf(settings).alerts);
}

TEST(PeriodReport, daysElapsedAndLeftCountTodayAsLeft) {
    const PeriodReport first = BuildPeriodReport(Limits(1, 300), Local(2026, 4, 1, 9), {}, {});
    EXPECT_EQ(first.daysElapsed, 0);
    EXPECT_EQ(first.daysLeft, 30);
    ASSERT_TRUE(first.safePerDay.has_value());
    EXPECT_DOUBLE_EQ(*first.safePerDay, 10);

    const PeriodReport last =
        BuildPeriodReport(Limits(1, 300), Local(2026, 4, 30, 23), {0, 0, 290}, {});
    EXPECT_EQ(last.daysElapsed, 29);
    EXPECT_EQ(last.daysLeft, 1);
    EXPECT_DOUBLE_EQ(*last.safePerDay, 10);  // all that is left, today

    const PeriodReport over =
        BuildPeriodReport(Limits(1, 300), Local(2026, 4, 20), {0, 0, 450}, {});
    EXPECT_DOUBLE_EQ(*over.safePerDay, 0);
    EXPECT_FALSE(BuildPeriodReport(Limits(1), Local(2026, 4, 20), {}, {}).safePerDay.has_value());
}

TEST(PeriodReport, theProjectionFollowsThePaceSoFar) {
    // Half of a 30-day April gone with 10 spent and 300 MB used: twice that at its end.
    const Usage half{200 * 1048576LL, 100 * 1048576LL, 10};
    const PeriodReport mid = BuildPeriodReport(Limits(1), Local(2026, 4, 16), half, {});
    EXPECT_DOUBLE_EQ(mid.projectedCost, 20);
    EXPECT_DOUBLE_EQ(mid.projectedMb, 600);
    EXPECT_DOUBLE_EQ(mid.UsedMb(), 300);

    // At the very end the projection is what was used.
    const PeriodReport end =
        BuildPeriodReport(Limits(1), QDateTime(QDate(2026, 4, 30), QTime(23, 59, 59)), half, {});
    EXPECT_NEAR(end.projectedCost, 10, 0.001);
}

TEST(PeriodReport, onTheFirstMorningTheProjectionTakesTheDaySoFarForAWholeDay) {
    // 3 spent by 06:00 of day 1: not 3 every 6 hours (360), but about 3 a day.
    const PeriodReport day1 = BuildPeriodReport(Limits(1), Local(2026, 4, 1, 6), {0, 0, 3}, {});
    EXPECT_NEAR(day1.projectedCost, 3 + 3 * (29.75), 1e-9);
    EXPECT_EQ(BuildPeriodReport(Limits(1), Local(2026, 4, 1), {}, {}).projectedCost, 0);
}

TEST(PeriodReport, aPeriodStartedBeforeTheHistoryIsPacedFromTheHistorysStart) {
    // The history began on the 21st; by the 26th it holds 10: 2 a day for 5 days more.
    const PeriodReport report =
        BuildPeriodReport(Limits(1), Local(2026, 4, 26), {0, 0, 10}, Local(2026, 4, 21));
    EXPECT_DOUBLE_EQ(report.projectedCost, 20);
    EXPECT_EQ(report.period.start, QDate(2026, 4, 1));
    // A history older than the period changes nothing.
    EXPECT_DOUBLE_EQ(BuildPeriodReport(Limits(1), Local(2026, 4, 16), {0, 0, 10}, Local(2025, 1, 1))
                         .projectedCost,
                     20);
}
