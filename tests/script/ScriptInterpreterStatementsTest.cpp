// SPDX-License-Identifier: GPL-3.0-or-later
// Declarations, assignments, operations and copies as a script run does them.
#include "ScriptRunner.h"
#include "script/ScriptBuiltIns.h"
#include "script/ScriptLint.h"

#include <gtest/gtest.h>

TEST(ScriptAssignments, onlyDeclaredVariablesTakeValuesAndOnlyWithHash) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"x = #5", "message(x)"})), Ops({"message: "}));
    EXPECT_EQ(runner.Run(Script({"var x", "x = 5", "message(x)"})), Ops({"message: "}));
    EXPECT_EQ(runner.Run(Script({"var x", "x = #5", "x = 7", "x = y", "message(x)"})),
              Ops({"message: 5"}));
    EXPECT_EQ(runner.Run(Script({"var x", "x = #DL", "message(x)"})), Ops({"message: 0"}));
    // The copy's "#" must come first, or right after the expression's own first "=".
    EXPECT_EQ(runner.Run(Script({"var x", "x = a=#9", "message(x)", "x = a #8", "message(x)"})),
              Ops({"message: 9", "message: 9"}));
}

TEST(ScriptAssignments, aDeclarationTakesTheWholeRestOfTheLineAsItsName) {
    ScriptRunner runner;
    // "var x = 5" declares "x = 5", so x itself stays unknown.
    EXPECT_EQ(runner.Run(Script({"var x = 5", "x = #1", "message(x)"})), Ops({"message: "}));
    EXPECT_EQ(runner.Run(Script({"VAR x", "Var y", "x = #1", "y = #2", "z = x & y", "var z",
                                 "z = x & y", "message(z)"})),
              Ops({"message: 12"}));
}

TEST(ScriptAssignments, keywordsCountOnlyAtTheVeryStartAndBeforeABlank) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({" var x", "x = #1", "message(x)"})), Ops({"message: "}));
    // A tab is no blank: neither after the keyword nor around the target.
    EXPECT_EQ(runner.Run(Script({"var\tx", "x = #1", "message(x)"})), Ops({"message: "}));
    EXPECT_EQ(runner.Run(Script({"var x", "x\t= #1", "message(x)"})), Ops({"message: "}));
}

TEST(ScriptOperations, computeOneOperationWithNumbers) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"var t", "t = 10 / 4", "message(t)", "t = 2 ^ 10", "message(t)",
                                 "t = 7 - 9", "message(t)", "t = 6 * 7", "message(t)"})),
              Ops({"message: 2.5", "message: 1024", "message: -2", "message: 42"}));
    EXPECT_EQ(runner.Run(Script({"var x", "x = -5", "message(x)"})), Ops({"message: -5"}));
}

TEST(ScriptOperations, operatorIsChosenByCharacterNotByPosition) {
    ScriptRunner runner;
    // "+" comes first in the order: the word "5 - 3" reads as 5.
    EXPECT_EQ(runner.Run(Script({"var t", "t = 5 - 3 + 1", "message(t)"})), Ops({"message: 6"}));
    // "-" comes before the copy form: "#1e" is an unknown name, 0 - 3.
    EXPECT_EQ(runner.Run(Script({"var x", "x = #1e-3", "message(x)"})), Ops({"message: -3"}));
    // "0000" is a name, not a number literal.
    EXPECT_EQ(runner.Run(Script({"var z", "z = 0000 + 1", "message(z)"})), Ops({"message: 1"}));
}

TEST(ScriptOperations, aCallCannotBeCombinedWithAnOperator) {
    ScriptRunner runner;
    EXPECT_EQ(
        runner.Run(Script({"var x", "x = hour()", "message(x)", "x = hour() + 1", "message(x)"})),
        Ops({"message: 14", "message: 1"}));
}

TEST(ScriptOperations, ampersandJoinsTheNumbersInTheLocalesFormat) {
    ScriptCounters counters;
    counters.TC = 75;
    counters.BPS = 115200;
    ScriptRunner point(PointLocale(), counters);
    EXPECT_EQ(point.Run(Script({"var x", "x = TC & BPS", "message(x)"})),
              Ops({"message: 75115200"}));
    EXPECT_EQ(point.Run(Script({"var s", "s = 1.5 & 2", "message(s)"})), Ops({"message: 1.52"}));
    ScriptRunner comma(RussianLocale());
    EXPECT_EQ(comma.Run(Script({"var s", "s = 1.5 & 2", "message(s)"})), Ops({"message: 1,52"}));
}

TEST(ScriptOperations, aVariableReadsItsOwnValueBeforeTheAssignment) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"var n", "n = #1", "n = n + 1", "n = n * n", "message(n)"})),
              Ops({"message: 4"}));
}

TEST(ScriptOperations, aNumberReadWithADecimalCommaLosesItsFraction) {
    ScriptCounters counters;
    counters.DL = 1.25f;
    ScriptRunner runner(RussianLocale(), counters);
    EXPECT_EQ(runner.Run(Script({"var t", "var u", "t = 10 / 4", "u = t + 0", "message(t)",
                                 "message(u)", "u = #DL", "message(u)"})),
              Ops({"message: 2,5", "message: 2", "message: 1"}));
}

TEST(ScriptBuiltIns, holdTheCountersAsTextsInTheLocale) {
    ScriptCounters counters{12.5f, 3.25f, 15.75f, 3600, 115200, 1.5f, 0.25f, 1.75f};
    ScriptRunner comma(RussianLocale(), counters);
    EXPECT_EQ(comma.Run(Script({"message(DL)", "message(UL~DL)", "message(AL)", "message(TC)",
                                "message(BPS)", "message(MDL)", "message(MUL)", "message(MAL)"})),
              Ops({"message: 12,5", "message: 3,25", "message: 15,75", "message: 3600",
                   "message: 115200", "message: 1,5", "message: 0,25", "message: 1,75"}));
    ScriptRunner point(PointLocale(), counters);
    EXPECT_EQ(point.Run(QStringLiteral("message(DL)")), Ops({"message: 12.5"}));
}

TEST(ScriptBuiltIns, namesAreMatchedExactly) {
    ScriptCounters counters;
    counters.TC = 75;
    ScriptRunner runner(PointLocale(), counters);
    EXPECT_EQ(runner.Run(Script({"message(tc)", "message( TC)", "message(TC)"})),
              Ops({"message: ", "message: ", "message: 75"}));
}

TEST(ScriptBuiltIns, appPathIsTheProgramFolderWithOneClosingSeparator) {
    ScriptRunner plain(PointLocale(), {}, QStringLiteral("/opt/tools"));
    EXPECT_EQ(plain.Run(QStringLiteral("message(AppPath)")), Ops({"message: /opt/tools/"}));
    ScriptRunner root(PointLocale(), {}, QStringLiteral("/"));
    EXPECT_EQ(root.Run(QStringLiteral("message(AppPath)")), Ops({"message: /"}));
}

TEST(ScriptBuiltIns, changesLastOnlyForTheRunThatMadeThem) {
    ScriptCounters counters;
    counters.DL = 12.5f;
    ScriptRunner runner(PointLocale(), counters);
    EXPECT_EQ(runner.Run(Script({"DL = #0", "message(DL)"})), Ops({"message: 0"}));
    EXPECT_EQ(runner.Run(QStringLiteral("message(DL)")), Ops({"message: 12.5"}));
    // A second DL takes the writes; reads still find the built-in.
    EXPECT_EQ(runner.Run(Script({"var DL", "DL = #5", "message(DL)"})), Ops({"message: 12.5"}));
}

TEST(ScriptRuns, startWithAnEmptyStore) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"var a", "a = #1", "message(a)"})), Ops({"message: 1"}));
    EXPECT_EQ(runner.Run(Script({"a = #2", "message(a)"})), Ops({"message: "}));
}

TEST(ScriptRuns, emptyScriptsAndCommentsDoNothing) {
    ScriptRunner runner;
    EXPECT_TRUE(runner.Run(QString()).isEmpty());
    EXPECT_TRUE(runner.Run(Script({"; message('a')", "", ";x = #1", ""})).isEmpty());
}

TEST(ScriptRuns, aTextWithCrLfEndsLinesOnlyThereAndOneWithoutAtEveryLineFeed) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(QStringLiteral("var x\nx = #3\nmessage(x)\n")), Ops({"message: 3"}));
    EXPECT_EQ(runner.Run(QStringLiteral("message('a')\nmessage('b')\nmessage('c')")),
              Ops({"message: a", "message: b", "message: c"}));
    // Mixed: the first line is "message('a')\nmessage('b')", one call of its first "(".
    EXPECT_EQ(runner.Run(QStringLiteral("message('a')\nmessage('b')\r\nmessage('c')\r\n")),
              Ops({"message: a", "message: c"}));
    EXPECT_EQ(runner.Run(QStringLiteral("var x\nx = #3\r\nmessage(x)")), Ops({"message: "}));
    // A lone carriage return is an ordinary character: "x\rx = #3" is one name.
    EXPECT_EQ(runner.Run(QStringLiteral("var x\rx = #3\r\nmessage(x)")), Ops({"message: "}));
}

// A script may already use a name the program later took for a built-in: its own "var"
// wins there, and the lint says so. The language's own built-ins stay first for reads.
TEST(ScriptDeclarations, aVarReplacesEveryBuiltInTheProgramAddedButNoneOfTheLanguagesOwn) {
    ScriptCounters counters;
    for (const BuiltInCounter& counter : kBuiltInCounters)
        counter.fractional ? void(counters.*counter.fractional = 7)
                           : void(counters.*counter.whole = 7);
    ScriptRunner runner(PointLocale(), counters);
    ASSERT_TRUE(IsAddedBuiltIn(u"CAL") && IsAddedBuiltIn(u"CMAL"));
    for (const BuiltInCounter& counter : kBuiltInCounters) {
        const QString code = QStringLiteral("var %1\r\n%1 = #5\r\nmessage(%1)").arg(counter.name);
        const bool own = IsAddedBuiltIn(counter.name);
        EXPECT_EQ(runner.Run(code), Ops({own ? "message: 5" : "message: 7"})) << qPrintable(code);
        const QList<LintWarning> said = LintScript(code, PointLocale());
        EXPECT_TRUE(!said.isEmpty() && said[0].line == 1 &&
                    said[0].text.contains(u"заменяет") == own)
            << qPrintable(code);
    }
}
