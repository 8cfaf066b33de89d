// SPDX-License-Identifier: GPL-3.0-or-later
// The billing period as a script sees it: CAL and CMAL beside the connection's counters.
#include "../script/ScriptRunner.h"

#include <gtest/gtest.h>

namespace {
ScriptCounters Period(float mb, float money) {
    ScriptCounters counters;
    counters.MAL = 1.5f;
    counters.CAL = mb;
    counters.CMAL = money;
    return counters;
}
}  // namespace

TEST(PeriodBuiltIns, holdThePeriodsMegabytesAndMoneyAsLocaleTexts) {
    ScriptRunner comma(RussianLocale(), Period(2048.25f, 95.5f));
    EXPECT_EQ(comma.Run(Script({"message(CAL)", "message(CMAL)", "message(MAL)"})),
              Ops({"message: 2048,25", "message: 95,5", "message: 1,5"}));
    ScriptRunner point(PointLocale(), Period(2048.25f, 95.5f));
    EXPECT_EQ(point.Run(Script({"message(CAL)", "message(CMAL)"})),
              Ops({"message: 2048.25", "message: 95.5"}));
}

TEST(PeriodBuiltIns, aBudgetCheckReadsTheWholePartInARussianLocale) {
    const QString script = Script({"; Warn when the period gets dear",
                                   "if (CMAL > 90) then message('Бюджет почти исчерпан')"});
    EXPECT_EQ(ScriptRunner(RussianLocale(), Period(0, 95.5f)).Run(script),
              Ops({"message: Бюджет почти исчерпан"}));
    EXPECT_TRUE(ScriptRunner(RussianLocale(), Period(0, 90.9f)).Run(script).isEmpty());
}
