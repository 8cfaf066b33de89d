// SPDX-License-Identifier: GPL-3.0-or-later
// The lint: each rule with a script that trips it and a near miss that does not.
#include "ScriptRunner.h"
#include "script/ScriptLint.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// "LINE: TEXT" for each warning, so a failure shows what was said where.
QStringList Lint(std::initializer_list<const char*> lines, const QLocale& locale = PointLocale()) {
    QStringList said;
    for (const LintWarning& warning : LintScript(Script(lines), locale))
        said.append(QString::number(warning.line) + QStringLiteral(": ") + warning.text);
    return said;
}

// True when exactly one warning is given, on that line, and it holds the words.
::testing::AssertionResult WarnsOnce(const QStringList& said, int line, const char* words) {
    const QString prefix = QString::number(line) + QStringLiteral(": ");
    if (said.size() == 1 && said[0].startsWith(prefix) &&
        said[0].contains(QString::fromUtf8(words)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "wanted one warning on line " << line << " with \"" << words
           << "\", got: " << said.join(QStringLiteral(" | ")).toStdString();
}

}  // namespace

TEST(LintConditions, aConditionThatCannotBeCutNeverHolds) {
    EXPECT_TRUE(WarnsOnce(Lint({"if (MAL>90) then message('x')"}), 1, "не делится"));
    EXPECT_TRUE(WarnsOnce(Lint({"var y", "if y > 5 then y = #1", "message(y)"}), 2, "не делится"));
    EXPECT_TRUE(Lint({"if (MAL > 90) then message('x')"}).isEmpty());
    EXPECT_TRUE(Lint({"IF ( MAL > 90 ) THEN message('x')"}).isEmpty());
}

TEST(LintConditions, unknownComparisonsExtraBlanksAndExpressionsAreNamed) {
    EXPECT_TRUE(
        WarnsOnce(Lint({"if (DL => 0) then message('x')"}), 1, "неизвестное сравнение «=>»"));
    EXPECT_TRUE(WarnsOnce(Lint({"if (DL  > 1) then message('x')"}), 1, "больше одного пробела"));
    EXPECT_TRUE(WarnsOnce(Lint({"if (DL > 1 + 2) then message('x')"}, RussianLocale()), 1,
                          "не одно слово"));
    for (const char* comparison : {">", "<", "<>", ">=", "<=", "="}) {
        const QByteArray line = QByteArray("if (DL ") + comparison + " 1) then message('x')";
        EXPECT_TRUE(Lint({line.constData()}).isEmpty()) << comparison;
    }
}

TEST(LintConditions, thenMustFollowTheConditionAndTheActionMustDoSomething) {
    // The checker finds "then" inside the message and lets the line pass.
    EXPECT_TRUE(WarnsOnce(Lint({"if (DL > 5) message('then')"}), 1, "нет «then»"));
    EXPECT_TRUE(WarnsOnce(Lint({"if (DL > 5) then var x"}), 1, "ничего не делает"));
    EXPECT_TRUE(
        WarnsOnce(Lint({"if (DL > 5) then if (UL > 1) then message('x')"}), 1, "ничего не делает"));
    EXPECT_TRUE(WarnsOnce(Lint({"if ((DL > 5)) then message('x')"}), 1, "лишняя скобка: «(DL»"));
    EXPECT_TRUE(Lint({"var x", "if (DL > 5) then x = #1", "message(x)"}).isEmpty());
}

TEST(LintExpressions, moreThanOneOperatorSaysWhichOneIsApplied) {
    const QStringList said = Lint({"var x", "x = 2 * 3 + 1", "message(x)"});
    EXPECT_TRUE(WarnsOnce(said, 2, "«+»"));
    EXPECT_TRUE(said[0].contains(QStringLiteral("«2 * 3» (читается как 2) и «1»")))
        << said[0].toStdString();
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "x = 100 - MAL + 5", "message(x)"}), 2,
                          "«100 - MAL» (читается как 100)"));
    EXPECT_TRUE(Lint({"var x", "x = MAL * 2", "x = -5", "x = x & 1", "message(x)"}).isEmpty());
}

TEST(LintExpressions, copiesNeedHashAndTakeNoOperatorOrCall) {
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "x = 5", "message(x)"}), 2, "«x = #5»"));
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "x = #1e-3", "message(x)"}), 2, "«#» не действует"));
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "x = hour() + 1", "message(x)"}), 2, "вызов «hour()»"));
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "x = 5 -", "message(x)"}), 2, "после «-» нет операнда"));
    EXPECT_TRUE(Lint({"var x", "x = #DL", "x = hour()", "message(x)"}).isEmpty());
}

TEST(LintNumbers, aNumberWithACommaReadsOnlyToTheComma) {
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "x = #1,5", "message(x)"}), 2, "«1,5»"));
    EXPECT_TRUE(WarnsOnce(Lint({"if (DL > 0,5) then message('x')"}), 1, "читается как 0"));
    EXPECT_TRUE(WarnsOnce(Lint({"timer_script(1,5)"}), 1, "«1,5»"));
    EXPECT_TRUE(Lint({"var x", "x = #1.5", "message(x)", "message(1,5)"}).isEmpty());
}

TEST(LintNumbers, builtInsWithADecimalCommaAreNamedWhereOnlyTheirWholePartCounts) {
    const QLocale russian = RussianLocale();
    EXPECT_TRUE(WarnsOnce(Lint({"if (MAL > 90) then message('x')"}, russian), 1, "целую часть"));
    EXPECT_TRUE(WarnsOnce(Lint({"if (90 < CMAL) then message('x')"}, russian), 1, "«CMAL»"));
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "x = MAL * 100", "message(x)"}, russian), 2, "«MAL»"));
    // ">=" and "<" against a whole number give the same answer on the whole part.
    EXPECT_TRUE(Lint({"if (MAL >= 90) then message('x')", "if (90 > MAL) then message('y')",
                      "if (TC > 90) then message('z')", "message(MAL)"},
                     russian)
                    .isEmpty());
    EXPECT_TRUE(Lint({"if (MAL > 90) then message('x')"}, PointLocale()).isEmpty());
}

TEST(LintNumbers, aVariableGivenOneWholeLiteralComparesLikeTheLiteral) {
    const QLocale russian = RussianLocale();
    EXPECT_TRUE(Lint({"var limit", "limit = #50", "if (MAL >= limit) then message('x')"}, russian)
                    .isEmpty());
    const char* varying[][3] = {
        {"limit = #50.5", "", ""},
        {"if (TC > 1) then limit = #50", "", ""},
        {"limit = #50", "limit = limit + 1", ""},
        {"limit = #50", "if (TC > 1) then limit = #60", ""},
    };
    for (const auto& lines : varying) {
        const QStringList said =
            Lint({"var limit", lines[0], lines[1], lines[2], "if (MAL >= limit) then message('x')"},
                 russian);
        EXPECT_TRUE(WarnsOnce(said, 5, "целую часть")) << lines[0] << " / " << lines[1];
    }
}

TEST(LintVariables, useBeforeVarUnusedVarsShadowsAndOddNames) {
    EXPECT_TRUE(WarnsOnce(Lint({"message(x)", "var x", "x = #1", "message(x)"}), 1,
                          "до этой строки не объявлена"));
    EXPECT_TRUE(WarnsOnce(Lint({"x = #1", "var x", "message(x)"}), 1, "присваивание ничего"));
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "x = #1"}), 1, "нигде не читается"));
    EXPECT_TRUE(WarnsOnce(Lint({"var DL", "DL = #5", "message(DL)"}), 1, "встроенная"));
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "var x", "message(x)"}), 2, "уже объявлена в строке 1"));
    // A "%1" of the script is quoted as it is, never taken for a place of the text.
    EXPECT_TRUE(WarnsOnce(Lint({"var a%1", "var a%1", "message(a%1)"}), 2,
                          "«a%1» уже объявлена в строке 1"));
    EXPECT_TRUE(WarnsOnce(
        Lint({"timer_script('99999%2')"}), 1,
        "«timer_script('99999%2')»: интервал вне 0–65535 мс; при выполнении — ошибка 380"));
    const QStringList odd = Lint({"var x = 5", "message(x)"});
    ASSERT_EQ(odd.size(), 3) << odd.join(" | ").toStdString();
    EXPECT_TRUE(odd[0].contains(QStringLiteral("«x = 5» целиком")));
    EXPECT_TRUE(WarnsOnce(Lint({"message( DL)"}), 1, "с пробелами"));
    EXPECT_TRUE(WarnsOnce(Lint({"  var x"}), 1, "пробелы перед «var»"));
    EXPECT_TRUE(WarnsOnce(Lint({"  ; x = 1"}), 1, "пробелы перед «;»"));
    EXPECT_TRUE(Lint({"  ; a note", "; x = 1"}).isEmpty());
    EXPECT_TRUE(Lint({"var n", "n = #1", "n = n + 1", "if (n > AL) then message(n)",
                      "message(AppPath)", "message(CAL)"})
                    .isEmpty());
}

TEST(LintCommands, timerConstantsOutsideTheirRangeAndTextsThatStopTheTimer) {
    EXPECT_TRUE(WarnsOnce(Lint({"timer_refresh(99999)"}), 1, "ошибка 380"));
    EXPECT_TRUE(WarnsOnce(Lint({"timer_script(1e10)"}), 1, "ошибка 6"));
    EXPECT_TRUE(WarnsOnce(Lint({"timer_script(-1)"}), 1, "ошибка 380"));
    EXPECT_TRUE(WarnsOnce(Lint({"timer_script('abc')"}), 1, "останавливает таймер"));
    EXPECT_TRUE(WarnsOnce(Lint({"if (DL > 1) then timer_refresh(70000)"}), 1, "ошибка 380"));
    EXPECT_TRUE(Lint({"timer_refresh(65535)", "timer_script(0)", "timer_script('5000')", "var t",
                      "t = #70000", "timer_script(t)"})
                    .isEmpty());
}

TEST(LintCommands, aHangUpWithoutAConditionAndArgumentsThatDoNothing) {
    EXPECT_TRUE(WarnsOnce(Lint({"disconn()"}), 1, "при каждом выполнении"));
    EXPECT_TRUE(WarnsOnce(Lint({"var x", "x = disconn()", "message(x)"}), 2, "при каждом"));
    EXPECT_TRUE(Lint({"if (TC >= 3600) then disconn()"}).isEmpty());
    EXPECT_TRUE(WarnsOnce(Lint({"message()"}), 1, "без аргумента"));
    EXPECT_TRUE(WarnsOnce(Lint({"message(DL~UL)"}), 1, "только первый аргумент"));
    // A command whose argument holds "=" runs twice, but is no assignment.
    EXPECT_TRUE(Lint({"message('a=b')", "message('x=1+1')"}).isEmpty());
}

TEST(LintScript, warningsComeInLineOrderEachOnceWithLinesCutAsTheInterpreterCuts) {
    const QList<LintWarning> warnings =
        LintScript(QStringLiteral("disconn()\nmessage(y)\r\nmessage(z)\r\ntimer_script(99999)"),
                   PointLocale());
    ASSERT_EQ(warnings.size(), 3);
    EXPECT_EQ(warnings[0].line, 1);  // "disconn()\nmessage(y)" is one line
    EXPECT_TRUE(warnings[0].text.contains(QStringLiteral("disconn")));
    EXPECT_EQ(warnings[1].line, 2);
    EXPECT_EQ(warnings[2].line, 3);
    EXPECT_TRUE(LintScript(QString(), PointLocale()).isEmpty());
    EXPECT_TRUE(LintScript(QStringLiteral("; disconn()\r\n\r\n"), PointLocale()).isEmpty());
}

namespace {

QString SourceFile(const char* path) {
    QFile file(QStringLiteral(VANTORIL_SOURCE_DIR "/") + QString::fromUtf8(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

TEST(LintScript, theShippedSampleScriptsLintClean) {
    const QString sample = SourceFile("resources/defaults/script.vsc");
    ASSERT_FALSE(sample.isEmpty());
    for (const QLocale& locale : {PointLocale(), RussianLocale()}) {
        const QList<LintWarning> warnings = LintScript(sample, locale);
        EXPECT_TRUE(warnings.isEmpty()) << warnings.value(0).text.toStdString();
    }
    const QString budget = SourceFile("resources/samples/budget.vsc");
    ASSERT_FALSE(budget.isEmpty());
    for (const QLocale& locale : {PointLocale(), RussianLocale()}) {
        const QList<LintWarning> warnings = LintScript(budget, locale);
        EXPECT_TRUE(warnings.isEmpty()) << warnings.value(0).text.toStdString();
    }
}
