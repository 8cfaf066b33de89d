// SPDX-License-Identifier: GPL-3.0-or-later
// The syntax checker: each test, their order, and which message wins.
#include "ScriptRunner.h"
#include "script/ScriptLines.h"
#include "script/SyntaxChecker.h"

#include <gtest/gtest.h>

namespace {

QString Check(const QString& code) {
    SyntaxChecker checker;
    checker.SetCode(code);
    return checker.CheckSyntax();
}

QString Check(std::initializer_list<const char*> lines) {
    return Check(Script(lines));
}

}  // namespace

TEST(CheckSyntax, acceptsEmptyTextsCommentsAndKnownCommands) {
    EXPECT_EQ(Check(QString()), QString());
    EXPECT_EQ(Check({"; x =", "   ; x =", "", "message('hi')", "Message('hi')", "disconn()",
                     "TIMER_REFRESH(500)", "timer_script(5000)", "var t", "t = time()",
                     "t = hour()", "t = mins()", "IF (DL > 5) THEN message('x')"}),
              QString());
}

TEST(CheckSyntax, reportsUnknownFunctionsByTheUntrimmedTextBeforeTheBracket) {
    EXPECT_EQ(Check({"  message('hi')"}), QStringLiteral("Ошибка на линии 1: неизвестная функция"));
    EXPECT_EQ(Check({"if(DL > 5) then message('x')"}),
              QStringLiteral("Ошибка на линии 1: неизвестная функция"));
    EXPECT_EQ(Check({"if x > 5 then message('a')"}),
              QStringLiteral("Ошибка на линии 1: неизвестная функция"));
    EXPECT_EQ(Check({"if x > 5 then y = #1"}), QString());
    // An "=" before the bracket makes it an assignment, whatever it calls.
    EXPECT_EQ(Check({"x = foo(1)"}), QString());
}

TEST(CheckSyntax, anUnknownFunctionGivesWayToAnyLaterStoppingFault) {
    EXPECT_EQ(Check({"msg('a')", "", "foo('b')", "message('c')"}),
              QStringLiteral("Ошибка на линии 3: неизвестная функция"));
    EXPECT_EQ(Check({"msg('a')", "", "foo('b')", "", "x ="}),
              QStringLiteral("Ошибка на линии 5: ожидается выражение"));
    EXPECT_EQ(Check({"foo('it's')"}), QStringLiteral("Ошибка на линии 1: нет закрывающей кавычки"));
}

TEST(CheckSyntax, theFirstStoppingFaultWins) {
    EXPECT_EQ(Check({"message('a'", "x ="}),
              QStringLiteral("Ошибка на линии 1: нет закрывающей скобки - )"));
    // Within a line the bracket test comes before the quote test.
    EXPECT_EQ(Check({"x = ('a"}), QStringLiteral("Ошибка на линии 1: нет закрывающей скобки - )"));
}

TEST(CheckSyntax, findsAClosingBracketOnlyAfterTheOpeningOne) {
    EXPECT_EQ(Check({"x = (1"}), QStringLiteral("Ошибка на линии 1: нет закрывающей скобки - )"));
    EXPECT_EQ(Check({"x = )(1"}), QStringLiteral("Ошибка на линии 1: нет закрывающей скобки - )"));
    EXPECT_EQ(Check({"x = 1)"}), QString());
}

TEST(CheckSyntax, countsApostrophes) {
    EXPECT_EQ(Check({"message('ok')", "message('it's')"}),
              QStringLiteral("Ошибка на линии 2: нет закрывающей кавычки"));
    EXPECT_EQ(Check({"message('it''s')"}), QString());
}

TEST(CheckSyntax, reportsLiteralDivisionsByZero) {
    const QString fault = QStringLiteral("Ошибка на линии 1: деление на ноль");
    EXPECT_EQ(Check({"x = y / 0"}), fault);
    EXPECT_EQ(Check({"x = y / z"}), fault);
    EXPECT_EQ(Check({"x = 10 / 0 + 1"}), fault);
    EXPECT_EQ(Check({"x = 10 /"}), fault);
    EXPECT_EQ(Check({"x = y / 2"}), QString());
    EXPECT_EQ(Check({"x / 0"}), QString());  // no "=": no assignment
}

TEST(CheckSyntax, wantsAnExpressionAfterTheFirstEquals) {
    EXPECT_EQ(Check({"x =   "}), QStringLiteral("Ошибка на линии 1: ожидается выражение"));
    EXPECT_EQ(Check({"x = 5 ="}), QString());
}

TEST(CheckSyntax, wantsThenAndAnActionAfterIt) {
    EXPECT_EQ(Check({"if (DL > 5) message('x')"}),
              QStringLiteral("Ошибка на линии 1: Отсутствует then"));
    EXPECT_EQ(Check({"if (DL > 5) then  "}),
              QStringLiteral("Ошибка на линии 1: Ожидается выражение после then"));
    EXPECT_EQ(Check({"if (DL > 5) thenx"}), QString());
    EXPECT_EQ(Check({"If (DL > 5) THEN x = #1"}), QString());
}

TEST(CheckSyntax, leavesDeclarationsAndValuesAlone) {
    EXPECT_EQ(Check({"var x = 5", "x = #5", "message(unknown)"}), QString());
}

TEST(CheckSyntax, numbersLinesFromOneCountingCommentsAndEmptyLines) {
    EXPECT_EQ(Check(QStringLiteral("; a\r\n\r\n;b\r\nx =\r\n")),
              QStringLiteral("Ошибка на линии 4: ожидается выражение"));
    EXPECT_EQ(Check(QStringLiteral("; a\n\nx =\n")),
              QStringLiteral("Ошибка на линии 3: ожидается выражение"));
    // With one CR LF in the text a lone LF does not end a line: "; a\n\nx =" is a comment.
    EXPECT_EQ(Check(QStringLiteral("; a\n\nx =\r\nmessage('it's')\r\n")),
              QStringLiteral("Ошибка на линии 2: нет закрывающей кавычки"));
}

TEST(CheckSyntax, reportsTheFaultAndItsLineAsData) {
    SyntaxChecker checker;
    checker.SetCode(Script({"message('a')", "foo('b')", "; x =", "if (DL > 1) then  "}));
    const SyntaxReport fault = checker.Check();
    EXPECT_EQ(fault.fault, SyntaxFault::ExpressionAfterThen);
    EXPECT_EQ(fault.line, 4);
    EXPECT_EQ(SyntaxVerdict(fault),
              QStringLiteral("Ошибка на линии 4: Ожидается выражение после then"));
    checker.SetCode(Script({"message('a')", "foo('b')", "; x ="}));
    const SyntaxReport unknown = checker.Check();
    EXPECT_EQ(unknown.fault, SyntaxFault::UnknownFunction);
    EXPECT_EQ(unknown.line, 2);
    checker.SetCode(Script({"message('a')"}));
    const SyntaxReport clean = checker.Check();
    EXPECT_FALSE(clean.fault);
    EXPECT_EQ(clean.line, 0);
    EXPECT_EQ(SyntaxReportText(clean), QString());
    EXPECT_EQ(SyntaxVerdict(clean), QStringLiteral("Ошибок не обнаружено"));
}

TEST(CheckSyntax, refusesTextsBeyondTheLimits) {
    EXPECT_EQ(Check(QStringList(kMaxScriptLines + 1, QStringLiteral("x =")).join(u'\n')),
              QStringLiteral("Ошибка на линии 32768: больше 32767 строк в сценарии"));
    EXPECT_EQ(Check(QStringLiteral("x =\r\n") + QString(kMaxScriptLineLength + 1, u';')),
              QStringLiteral("Ошибка на линии 2: строка длиннее 32767 символов"));
    EXPECT_EQ(Check(QStringList(kMaxScriptLines, QStringLiteral("x = #1")).join(u'\n') + u'\n'),
              QString());
}

TEST(CheckSyntax, checksTheTextLastGiven) {
    SyntaxChecker checker;
    checker.SetCode(QStringLiteral("x ="));
    EXPECT_FALSE(checker.CheckSyntax().isEmpty());
    EXPECT_FALSE(checker.CheckSyntax().isEmpty());
    checker.SetCode(QStringLiteral("x = #1"));
    EXPECT_EQ(checker.CheckSyntax(), QString());
}
