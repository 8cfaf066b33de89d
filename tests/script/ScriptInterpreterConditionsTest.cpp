// SPDX-License-Identifier: GPL-3.0-or-later
// If lines: how the condition is cut, compared and its action run.
#include "ScriptRunner.h"

#include <gtest/gtest.h>

namespace {

ScriptCounters Received(float megabytes) {
    ScriptCounters counters;
    counters.DL = megabytes;
    return counters;
}

}  // namespace

TEST(ScriptConditions, runTheActionOnlyWhileTheConditionHolds) {
    const QString script = QStringLiteral("if (DL > 100) then message('Over limit')");
    EXPECT_EQ(ScriptRunner(PointLocale(), Received(150)).Run(script), Ops({"message: Over limit"}));
    EXPECT_TRUE(ScriptRunner(PointLocale(), Received(50)).Run(script).isEmpty());
}

TEST(ScriptConditions, theSixComparisonsCompareNumbers) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"if (1 < 2) then message('<')", "if (2 < 1) then message('no')",
                                 "if (2 > 1) then message('>')", "if (1 <> 2) then message('<>')",
                                 "if (2 <> 2) then message('no')", "if (2 >= 2) then message('>=')",
                                 "if (2 <= 2) then message('<=')", "if (3 <= 2) then message('no')",
                                 "if (2 = 2) then message('=')", "if (2 = 3) then message('no')"})),
              Ops({"message: <", "message: >", "message: <>",
                   "message: >=", "message: <=", "message: ="}));
}

TEST(ScriptConditions, anUnknownComparisonWordNeverHolds) {
    ScriptRunner runner;
    EXPECT_TRUE(runner
                    .Run(Script({"if (DL => 0) then message('x')", "if (1 == 1) then message('x')",
                                 "if (DL  > 0) then message('x')"}))
                    .isEmpty());
}

TEST(ScriptConditions, blanksJustInsideTheBracketsAndLetterCaseDoNotMatter) {
    ScriptRunner runner(PointLocale(), Received(5));
    EXPECT_EQ(runner.Run(Script({"if ( DL > 1 ) then message('a')", "IF (DL > 1) THEN message('b')",
                                 "if (DL > 1)   then   message('c')"})),
              Ops({"message: a", "message: b", "message: c"}));
}

TEST(ScriptConditions, aMissingThenStillRunsTheAction) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(QStringLiteral("if (1 = 1) message('x')")), Ops({"message: x"}));
}

TEST(ScriptConditions, unknownNamesReadAsZero) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(QStringLiteral("if (x = 0) then message('unset')")),
              Ops({"message: unset"}));
}

TEST(ScriptConditions, aDecimalCommaCutsTheFractionBeforeComparing) {
    ScriptCounters counters;
    counters.AL = 12.75f;
    ScriptRunner runner(RussianLocale(), counters);
    EXPECT_TRUE(runner.Run(QStringLiteral("if (AL > 12) then message('x')")).isEmpty());
    EXPECT_EQ(runner.Run(QStringLiteral("if (AL = 12) then message('x')")), Ops({"message: x"}));
}

TEST(ScriptConditions, actionsAssignAndCallCommands) {
    ScriptCounters counters;
    counters.TC = 3600;
    ScriptRunner runner(PointLocale(), counters);
    EXPECT_EQ(runner.Run(Script({"var x", "if (TC >= 3600) then x = #7", "message(x)",
                                 "if (TC >= 3600) then disconn()"})),
              Ops({"message: 7", "disconn"}));
}

TEST(ScriptConditions, onlyOneBracketPairIsRemoved) {
    ScriptRunner runner(PointLocale(), Received(5));
    EXPECT_TRUE(runner.Run(QStringLiteral("if ((DL > 1)) then message('x')")).isEmpty());
}

TEST(ScriptConditions, conditionsThatCannotBeCutDoNothing) {
    ScriptRunner runner(PointLocale(), Received(5));
    EXPECT_EQ(runner.Run(Script({"var y", "if DL > 1 then y = #1", "if (DL>1) then y = #2",
                                 "if DL then y = #3", "if () then y = #4", "if ", "message(y)"})),
              Ops({"message: "}));
    EXPECT_EQ(runner.Run(Script({"if DL > 1 then y = #1", "message('after')"})),
              Ops({"message: after"}));
}

TEST(ScriptConditions, anUnclosedDoubleQuoteEndsNothingAndHangsNothing) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"if (\"1 = 1) then message('a')", "if \"1 = 1 then message('b')",
                                 "message('next')"})),
              Ops({"message: next"}));
}

TEST(ScriptConditions, doubleQuotedTextIsSkippedWhenTheBracketIsLookedFor) {
    ScriptRunner runner;
    // The ")" inside the quotes does not end the condition.
    EXPECT_TRUE(runner.Run(QStringLiteral("if (\"x)\" > 1) then message('a')")).isEmpty());
    EXPECT_EQ(runner.Run(QStringLiteral("if (-1 < \"x)\" ) then message('b')")),
              Ops({"message: b"}));
}

TEST(ScriptConditions, anotherIfAsActionDoesNothing) {
    ScriptRunner runner;
    EXPECT_TRUE(
        runner
            .Run(Script({"if (1 = 1) then if (1 = 1) then message('a')",
                         "if (1 = 1) then if (2 > 1) then message('b')", "if (1 = 1) then var z"}))
            .isEmpty());
}
