// SPDX-License-Identifier: GPL-3.0-or-later
// The variable store: reads from the front, writes from the back.
#include "Locales.h"
#include "script/ScriptVariables.h"

#include <gtest/gtest.h>

namespace {

QString TextOf(const ScriptVariables& vars, const char* name) {
    return vars.GetVar(QString::fromUtf8(name)).ToText(PointLocale());
}

}  // namespace

TEST(ScriptVariables, unknownNamesReadEmptyAndCannotBeSet) {
    ScriptVariables vars;
    vars.AddVar(QStringLiteral("DL"), ScriptValue::Text(QStringLiteral("1")));
    EXPECT_EQ(vars.GetVar(u"x").kind(), ScriptValue::Kind::Empty);
    EXPECT_EQ(vars.GetVar(u"dl").kind(), ScriptValue::Kind::Empty);
    EXPECT_EQ(vars.GetVar(u" DL").kind(), ScriptValue::Kind::Empty);
    vars.SetVar(u"x", ScriptValue::Number(5));
    EXPECT_EQ(vars.Count(), 1);
}

TEST(ScriptVariables, aSetVariableMovesToTheEnd) {
    ScriptVariables vars;
    vars.AddVar(QStringLiteral("x"), ScriptValue::Text(QString()));
    vars.AddVar(QStringLiteral("y"), ScriptValue::Text(QString()));
    vars.SetVar(u"x", ScriptValue::Number(5));
    EXPECT_EQ(TextOf(vars, "x"), QStringLiteral("5"));
    ASSERT_EQ(vars.Count(), 2);
    EXPECT_EQ(vars.NameAt(1), QStringLiteral("x"));
}

TEST(ScriptVariables, aRepeatedNameIsReadFromTheFrontAndWrittenFromTheBack) {
    ScriptVariables vars;
    vars.AddVar(QStringLiteral("x"), ScriptValue::Text(QString()));
    vars.AddVar(QStringLiteral("x"), ScriptValue::Text(QString()));
    vars.AddVar(QStringLiteral("y"), ScriptValue::Text(QString()));
    vars.SetVar(u"x", ScriptValue::Number(5));
    vars.SetVar(u"x", ScriptValue::Number(6));
    EXPECT_EQ(TextOf(vars, "x"), QString());
    ASSERT_EQ(vars.Count(), 3);
    EXPECT_EQ(vars.NameAt(2), QStringLiteral("x"));
    EXPECT_EQ(vars.ValueAt(2).ToText(PointLocale()), QStringLiteral("6"));
    EXPECT_EQ(vars.ValueAt(0).ToText(PointLocale()), QString());
}

TEST(ScriptVariables, valuesAreStoredUnchanged) {
    ScriptVariables vars;
    vars.AddVar(QStringLiteral("n"), ScriptValue::Number(2.5));
    EXPECT_EQ(vars.GetVar(u"n").kind(), ScriptValue::Kind::Number);
    EXPECT_EQ(vars.GetVar(u"n").ToText(RussianLocale()), QStringLiteral("2,5"));
}

TEST(ScriptVariables, clearingEmptiesTheStoreAndHoldsBeyond32767Variables) {
    ScriptVariables vars;
    vars.ClearVars();
    EXPECT_EQ(vars.Count(), 0);
    for (int i = 0; i < 40000; ++i) vars.AddVar(QString::number(i), ScriptValue::WholeNumber(i));
    EXPECT_EQ(TextOf(vars, "39999"), QStringLiteral("39999"));
    vars.ClearVars();
    EXPECT_EQ(vars.Count(), 0);
    EXPECT_EQ(vars.GetVar(u"1").kind(), ScriptValue::Kind::Empty);
}
