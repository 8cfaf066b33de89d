// SPDX-License-Identifier: GPL-3.0-or-later
// The syntax checker: a fast line-by-line test of a script for the faults the script
// editor points out. It evaluates nothing and returns at most one message.
#include "script/SyntaxChecker.h"

#include "core/Numbers.h"
#include "script/ScriptLines.h"
#include "script/ScriptWords.h"

#include <optional>

namespace {

// The text before a line's first "(" as a known command would have it: "if " keeps its
// blank, and nothing is trimmed.
bool IsKnownFunction(QStringView textBeforeBracket) {
    for (const char16_t* known : {u"if ", u"message", u"timer_refresh", u"timer_script", u"time",
                                  u"hour", u"mins", u"disconn"}) {
        if (MatchesKeyword(textBeforeBracket, known)) return true;
    }
    return false;
}

bool IsComment(QStringView line) {
    qsizetype first = 0;
    while (first < line.size() && line[first] == u' ') ++first;
    return first < line.size() && line[first] == u';';
}

// The assignment tests: a literal division by zero, nothing after "=".
std::optional<SyntaxFault> AssignmentFault(QStringView line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) return std::nullopt;
    const QStringView expression = line.mid(equals + 1);
    const qsizetype slash = expression.indexOf(u'/');
    // A divisor that is a name or nothing reads as 0 as well.
    if (slash >= 0 && ReadNumber(TrimBlanks(expression.mid(slash + 1))) == 0)
        return SyntaxFault::DivisionByZero;
    if (TrimBlanks(expression).isEmpty()) return SyntaxFault::ExpressionExpected;
    return std::nullopt;
}

std::optional<SyntaxFault> ConditionFault(QStringView line) {
    if (!MatchesKeyword(line.left(3), u"if ")) return std::nullopt;
    const qsizetype then = FindKeyword(line, u"then", 3);
    if (then < 0) return SyntaxFault::ThenMissing;
    if (TrimBlanks(line.mid(then + 4)).isEmpty()) return SyntaxFault::ExpressionAfterThen;
    return std::nullopt;
}

SyntaxReport Fault(SyntaxFault fault, qsizetype lineNumber) {
    return SyntaxReport{fault, int(lineNumber)};
}

}  // namespace

void SyntaxChecker::SetCode(const QString& code) {
    code_ = code;
}

SyntaxReport SyntaxChecker::Check() {
    lines_ = SplitScriptLines(code_);
    if (const std::optional<ScriptLimitBreach> breach = FindLimitBreach(lines_)) {
        const bool tooMany = breach->kind == ScriptLimitBreach::Kind::TooManyLines;
        return Fault(tooMany ? SyntaxFault::TooManyLines : SyntaxFault::LineTooLong,
                     breach->lineNumber);
    }
    SyntaxReport result;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QStringView line = lines_[i];
        const qsizetype number = i + 1;
        if (IsComment(line)) continue;
        const qsizetype bracket = line.indexOf(u'(');
        if (bracket >= 0) {
            if (line.indexOf(u')', bracket + 1) < 0)
                return Fault(SyntaxFault::NoClosingBracket, number);
            const QStringView beforeBracket = line.left(bracket);
            if (!beforeBracket.contains(u'=') && !IsKnownFunction(beforeBracket))
                result = Fault(SyntaxFault::UnknownFunction, number);
        }
        if (line.count(u'\'') % 2 != 0) return Fault(SyntaxFault::NoClosingQuote, number);
        if (const std::optional<SyntaxFault> fault = AssignmentFault(line))
            return Fault(*fault, number);
        if (const std::optional<SyntaxFault> fault = ConditionFault(line))
            return Fault(*fault, number);
    }
    return result;
}

QString SyntaxChecker::CheckSyntax() {
    return SyntaxReportText(Check());
}
