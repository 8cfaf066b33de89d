// SPDX-License-Identifier: GPL-3.0-or-later
// The period's bill: the plan's fee and the money of the traffic beyond its included volume.
#include "budget/BillingPeriod.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t kMb = 1048576;

PeriodLimits Plan(double fee, double includedMb, double budget = 0) {
    PeriodLimits limits;
    limits.planFee = fee;
    limits.includedMb = includedMb;
    limits.budget = budget;
    return limits;
}

// The steps walked in time order through a fresh volume.
PeriodUse Walk(const PeriodLimits& limits, const QList<Usage>& steps) {
    PeriodUse use{{}, IncludedVolume::Of(limits.includedMb)};
    for (const Usage& step : steps) {
        use.used += step;
        use.included.Take(step);
    }
    return use;
}

const QDateTime kMidPeriod(QDate(2026, 4, 16), QTime(0, 0));

}  // namespace

// Caught: the traffic beyond the volume priced at the period's average price, or the whole
// crossing step billed, instead of its own share at its own money per MB.
TEST(PlanBill, aStepThatCrossesTheVolumeIsBilledForItsShareBeyondAtItsOwnPrice) {
    const PeriodLimits plan = Plan(300, 100);
    // 60 MB in the cheap hour (0.5 a MB), then 60 MB of one connection in the dear one (2 a
    // MB): 40 MB of that step fit the volume, 20 MB are billed at 2.
    const PeriodUse use = Walk(plan, {{50 * kMb, 10 * kMb, 30}, {60 * kMb, 0, 120}});
    EXPECT_DOUBLE_EQ(use.included.mbLeft, 0);
    EXPECT_DOUBLE_EQ(PeriodBill(plan, use), 340);
    // Within the volume only the fee, whatever the tariff's money says.
    EXPECT_DOUBLE_EQ(PeriodBill(plan, Walk(plan, {{60 * kMb, 0, 30}})), 300);
}

// Caught: a fee that only counts once there is traffic, or that the budget does not see.
TEST(PlanBill, aFeeAloneIsTheBillAndTheBudgetMeasuresIt) {
    const PeriodLimits plan = Plan(300, 0, 400);
    const PeriodReport idle = BuildPeriodReport(plan, kMidPeriod, {}, {});
    EXPECT_DOUBLE_EQ(idle.bill, 300);
    EXPECT_DOUBLE_EQ(idle.projectedCost, 300);
    ASSERT_TRUE(idle.safePerDay);
    EXPECT_DOUBLE_EQ(*idle.safePerDay, 100.0 / 15);
    const PeriodReport used = BuildPeriodReport(plan, kMidPeriod, {kMb, 0, 12.5}, {});
    EXPECT_DOUBLE_EQ(used.bill, 312.5);
    EXPECT_DOUBLE_EQ(used.projectedCost, 325);  // the fee once, the traffic at its pace
}

// Caught: the bill drifting from the period's money by a summation or a rounding of its own
// when no plan is set.
TEST(PlanBill, withoutAPlanTheBillIsThePeriodsMoneyToTheLastBit) {
    const PeriodLimits none = Plan(0, 0, 500);
    const Usage used{123 * kMb, 7, 0.1 + 0.2 + 17.3};
    const PeriodUse use = Walk(none, {{123 * kMb, 7, 0.1 + 0.2 + 17.3}});
    EXPECT_EQ(PeriodBill(none, use), used.cost);
    const PeriodReport withPlanFields = BuildPeriodReport(none, kMidPeriod, used, {}, use.included);
    PeriodLimits before;
    before.budget = 500;
    const PeriodReport plain = BuildPeriodReport(before, kMidPeriod, used, {});
    EXPECT_EQ(withPlanFields.bill, used.cost);
    EXPECT_EQ(withPlanFields.projectedCost, plain.projectedCost);
    EXPECT_EQ(withPlanFields.safePerDay, plain.safePerDay);
    EXPECT_EQ(RoundedTotals(none, use).bill, RoundedTotals(none, use).cost);
}
