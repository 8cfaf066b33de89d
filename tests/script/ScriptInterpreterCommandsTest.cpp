// SPDX-License-Identifier: GPL-3.0-or-later
// Command calls: names, arguments and what each command does through the host.
#include "ScriptRunner.h"

#include <gtest/gtest.h>

TEST(ScriptCommands, namesAreMatchedWithoutCaseButMustStartTheLine) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(QStringLiteral("MESSAGE('x')")), Ops({"message: x"}));
    EXPECT_TRUE(runner.Run(QStringLiteral("message ('x')")).isEmpty());
    EXPECT_TRUE(runner.Run(QStringLiteral("  message('x')")).isEmpty());
    EXPECT_TRUE(runner.Run(QStringLiteral("msg('x')")).isEmpty());
}

TEST(ScriptCommands, quotedItemsLoseTheirApostrophesAndMessagesTheirBlanks) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"message('Over limit')", "message(' a b ')", "message('it''s')",
                                 "message('first'~'second')"})),
              Ops({"message: Over limit", "message: a b", "message: its", "message: first"}));
}

TEST(ScriptCommands, anArgumentHoldingEqualsRunsTheCommandTwice) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(QStringLiteral("message('a=b')")), Ops({"message: a=b", "message: a=b"}));
    // With an operator after the "=", the line is an operation on an unknown target.
    EXPECT_EQ(runner.Run(QStringLiteral("message('a=b+c')")), Ops({"message: a=b+c"}));
    // With a "#" right after the "=", it is a copy to an unknown target.
    EXPECT_EQ(runner.Run(QStringLiteral("message('a=#b')")), Ops({"message: a=#b"}));
}

TEST(ScriptCommands, withoutArgumentsTheyDoNothingAndSayNothing) {
    ScriptRunner runner;
    EXPECT_TRUE(runner.Run(Script({"message()", "timer_script()", "timer_refresh()"})).isEmpty());
}

TEST(ScriptCommands, anAssignedCommandActsAndStoresTheEmptyValue) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"var x", "x = #5", "x = message('hi')", "message(x)"})),
              Ops({"message: hi", "message: "}));
}

TEST(ScriptTimers, numericItemsAreNumbersAndOthersAreNames) {
    ScriptRunner runner;
    EXPECT_EQ(
        runner.Run(Script({"timer_script(60000)", "timer_refresh(0)", "var x", "x = #1000",
                           "timer_refresh(x)", "timer_script('abc')", "timer_script(unknown)"})),
        Ops({"timer_script: 60000", "timer_refresh: 0", "timer_refresh: 1000", "timer_script: 0",
             "timer_script: 0"}));
}

TEST(ScriptTimers, intervalsAreRoundedHalfToEven) {
    ScriptRunner runner;
    EXPECT_EQ(
        runner.Run(Script({"timer_refresh(2.5)", "timer_refresh(3.5)", "timer_script(999.6)",
                           "timer_script(65535.4)"})),
        Ops({"timer_refresh: 2", "timer_refresh: 4", "timer_script: 1000", "timer_script: 65535"}));
}

TEST(ScriptTimers, refuseIntervalsOutOfRangeAndTheRunGoesOn) {
    ScriptRunner runner;
    const QStringList operations =
        runner.Run(Script({"timer_refresh(99999)", "timer_script(-1)", "timer_refresh(1e10)",
                           "timer_script(65535.5)", "message('next')"}));
    ASSERT_EQ(operations.size(), 5);
    EXPECT_TRUE(operations[0].startsWith(QStringLiteral("error 380: ")));
    EXPECT_TRUE(operations[1].startsWith(QStringLiteral("error 380: ")));
    EXPECT_TRUE(operations[2].startsWith(QStringLiteral("error 6: ")));
    EXPECT_TRUE(operations[3].startsWith(QStringLiteral("error 380: ")));
    EXPECT_EQ(operations[4], QStringLiteral("message: next"));
    EXPECT_TRUE(operations[0].contains(QStringLiteral("(строка 1)")));
}

TEST(ScriptClock, timeHourAndMinutesComeFromTheHostsClock) {
    ScriptRunner russian(RussianLocale());
    russian.clock.Set(QDateTime(QDate(2026, 3, 2), QTime(9, 5, 3)));
    EXPECT_EQ(russian.Run(Script({"var t", "var h", "var m", "t = time()", "h = hour()",
                                  "m = mins()", "message(t)", "message(h)", "message(m)"})),
              Ops({"message: 9:05:03", "message: 9", "message: 5"}));
    russian.clock.Set(QDateTime(QDate(2026, 3, 2), QTime(14, 5, 9)));
    EXPECT_EQ(russian.Run(Script({"var t", "t = time()", "message(t)"})),
              Ops({"message: 14:05:09"}));
}

TEST(ScriptClock, aTimeOfDayReadsAsItsHour) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"var t", "t = time()", "t = t + 0", "message(t)"})),
              Ops({"message: 14"}));
}

TEST(ScriptCommands, disconnHangsUpAndUnknownNamesDoNothing) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"disconn()", "hangup()", "DISCONN()"})),
              Ops({"disconn", "disconn"}));
}

TEST(ScriptCommands, aCallWithoutItsClosingBracketRunsNothing) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"message('a'", ")message('b'", "message)('c')", "message('d')"})),
              Ops({"message: d"}));
}
