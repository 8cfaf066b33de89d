// SPDX-License-Identifier: GPL-3.0-or-later
// Values, operations, intervals and the cutting of conditions, one rule at a time.
#include "ScriptRunner.h"
#include "script/ScriptCondition.h"
#include "script/ScriptInterval.h"
#include "script/ScriptOperation.h"
#include "script/ScriptValue.h"

#include <gtest/gtest.h>

TEST(ScriptValue, keepsItsKindUntilReadInALocale) {
    const ScriptValue number = ScriptValue::Number(1.25);
    EXPECT_EQ(number.ToText(RussianLocale()), QStringLiteral("1,25"));
    EXPECT_EQ(number.ToText(PointLocale()), QStringLiteral("1.25"));
    EXPECT_EQ(number.ToNumber(RussianLocale()), 1);
    EXPECT_EQ(number.ToNumber(PointLocale()), 1.25);
    EXPECT_EQ(ScriptValue().ToText(PointLocale()), QString());
    EXPECT_EQ(ScriptValue().ToNumber(PointLocale()), 0);
    EXPECT_EQ(ScriptValue::WholeNumber(23).ToText(RussianLocale()), QStringLiteral("23"));
    EXPECT_EQ(ScriptValue::Text(QStringLiteral("12,75")).ToNumber(PointLocale()), 12);
}

TEST(ScriptValue, timesOfDayHaveNoLeadingZeroAndNoTimeZone) {
    const ScriptValue morning = ScriptValue::TimeOfDay(QTime(9, 5, 3, 700));
    EXPECT_EQ(morning.ToText(RussianLocale()), QStringLiteral("9:05:03"));
    EXPECT_EQ(morning.ToText(PointLocale()), QStringLiteral("9:05:03"));
    EXPECT_EQ(ScriptValue::TimeOfDay(QTime(14, 5, 9)).ToText(RussianLocale()),
              QStringLiteral("14:05:09"));
    EXPECT_EQ(ScriptValue::TimeOfDay(QTime(21, 0, 0))
                  .ToText(QLocale(QLocale::English, QLocale::UnitedStates)),
              QStringLiteral("9:00:00 PM"));
}

TEST(ApplyOperation, computesOrNamesTheFault) {
    EXPECT_EQ(ApplyOperation(10, u'/', 4, PointLocale()).value.ToText(PointLocale()),
              QStringLiteral("2.5"));
    EXPECT_EQ(ApplyOperation(-8, u'^', 1.0 / 3, PointLocale()).fault,
              ScriptFaultKind::InvalidArgument);
    EXPECT_EQ(ApplyOperation(0, u'/', 0, PointLocale()).fault, ScriptFaultKind::DivisionByZero);
    EXPECT_EQ(ApplyOperation(10, u'^', 400, PointLocale()).fault, ScriptFaultKind::Overflow);
    EXPECT_EQ(ApplyOperation(0, u'^', -1, PointLocale()).fault, ScriptFaultKind::Overflow);
    EXPECT_EQ(ApplyOperation(HUGE_VAL, u'&', 1, PointLocale()).fault, ScriptFaultKind::Overflow);
    EXPECT_EQ(ApplyOperation(-1e300, u'-', 1e300, PointLocale()).value.kind(),
              ScriptValue::Kind::Number);
    const OperationOutcome joined = ApplyOperation(0.5, u'&', -2, RussianLocale());
    EXPECT_EQ(joined.value.kind(), ScriptValue::Kind::Text);
    EXPECT_EQ(joined.value.ToText(PointLocale()), QStringLiteral("0,5-2"));
}

TEST(ReadInterval, roundsAndRefusesOutOfRange) {
    EXPECT_EQ(ReadInterval(u"65535").milliseconds, 65535);
    EXPECT_EQ(ReadInterval(u"0.5").milliseconds, 0);
    EXPECT_EQ(ReadInterval(u"1.5").milliseconds, 2);
    EXPECT_EQ(ReadInterval(u"-0.4").fault, std::nullopt);
    EXPECT_EQ(ReadInterval(u"65536").fault, ScriptFaultKind::InvalidPropertyValue);
    EXPECT_EQ(ReadInterval(u"-1").fault, ScriptFaultKind::InvalidPropertyValue);
    EXPECT_EQ(ReadInterval(u"2147483647").fault, ScriptFaultKind::InvalidPropertyValue);
    EXPECT_EQ(ReadInterval(u"2147483648").fault, ScriptFaultKind::Overflow);
    EXPECT_EQ(ReadInterval(u"-2147483649").fault, ScriptFaultKind::Overflow);
    EXPECT_EQ(ReadInterval(u"1e999").fault, ScriptFaultKind::Overflow);
}

TEST(CutCondition, splitsAWellFormedCondition) {
    const auto cut = CutCondition(u"(DL > 100) then message('Over limit')");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->left, u"DL");
    EXPECT_EQ(cut->comparison, u">");
    EXPECT_EQ(cut->right, u"100");
    EXPECT_EQ(cut->action, u"message('Over limit')");
}

TEST(CutCondition, endsAnUnbracketedConditionAtItsFirstComparisonCharacter) {
    const auto cut = CutCondition(u"a b c = 1 then x = #1");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->left, u"a");
    EXPECT_EQ(cut->comparison, u"b");
    EXPECT_EQ(cut->right, u"c");
    EXPECT_EQ(cut->action, u"= 1 then x = #1");
    EXPECT_FALSE(CutCondition(u"x > 5 then y = #1"));
    EXPECT_FALSE(CutCondition(u"(x > 5 then y = #1"));
    EXPECT_FALSE(CutCondition(u"(\"x > 5) then y = #1"));
}

TEST(CompareNumbers, knowsSixComparisons) {
    EXPECT_TRUE(CompareNumbers(1, u"<>", 2));
    EXPECT_FALSE(CompareNumbers(2, u"<>", 2));
    EXPECT_TRUE(CompareNumbers(2, u">=", 2));
    EXPECT_TRUE(CompareNumbers(2, u"<=", 2));
    EXPECT_FALSE(CompareNumbers(2, u"=>", 2));
    EXPECT_FALSE(CompareNumbers(2, u"==", 2));
    EXPECT_FALSE(CompareNumbers(2, u"", 2));
}
