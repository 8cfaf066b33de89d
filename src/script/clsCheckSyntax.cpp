// The syntax checker: a fast line-by-line test of a script for the faults the script
// editor points out. It evaluates nothing and returns at most one message.
#include "script/clsCheckSyntax.h"

#include "script/ScriptLines.h"
#include "script/ScriptWords.h"
#include "shell/Numbers.h"

#include <optional>

namespace {

// The endings of the checker's messages.
const char16_t kNoClosingBracket[] = u": нет закрывающей скобки - )";
const char16_t kUnknownFunction[] = u": неизвестная функция";
const char16_t kNoClosingQuote[] = u": нет закрывающей кавычки";
const char16_t kDivisionByZero[] = u": деление на ноль";
const char16_t kExpressionExpected[] = u": ожидается выражение";
const char16_t kThenMissing[] = u": Отсутствует then";
const char16_t kExpressionAfterThen[] = u": Ожидается выражение после then";

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
const char16_t* AssignmentFault(QStringView line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) return nullptr;
    const QStringView expression = line.mid(equals + 1);
    const qsizetype slash = expression.indexOf(u'/');
    // A divisor that is a name or nothing reads as 0 as well.
    if (slash >= 0 && ReadNumber(TrimBlanks(expression.mid(slash + 1))) == 0)
        return kDivisionByZero;
    if (TrimBlanks(expression).isEmpty()) return kExpressionExpected;
    return nullptr;
}

const char16_t* ConditionFault(QStringView line) {
    if (!MatchesKeyword(line.left(3), u"if ")) return nullptr;
    const qsizetype then = FindKeyword(line, u"then", 3);
    if (then < 0) return kThenMissing;
    if (TrimBlanks(line.mid(then + 4)).isEmpty()) return kExpressionAfterThen;
    return nullptr;
}

QString Message(qsizetype lineNumber, QStringView ending) {
    return QStringLiteral("Ошибка на линии ") + QString::number(lineNumber) + ending;
}

QString LimitMessage(const ScriptLimitBreach& breach) {
    if (breach.kind == ScriptLimitBreach::Kind::TooManyLines) {
        return Message(breach.lineNumber,
                       QStringLiteral(": больше %1 строк в сценарии").arg(kMaxScriptLines));
    }
    return Message(breach.lineNumber,
                   QStringLiteral(": строка длиннее %1 символов").arg(kMaxScriptLineLength));
}

}  // namespace

void clsCheckSyntax::SetCode(const QString& code) {
    code_ = code;
}

QString clsCheckSyntax::CheckSyntax() {
    lines_ = SplitScriptLines(code_);
    if (const std::optional<ScriptLimitBreach> breach = FindLimitBreach(lines_))
        return LimitMessage(*breach);
    QString result;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QStringView line = lines_[i];
        const qsizetype number = i + 1;
        if (IsComment(line)) continue;
        const qsizetype bracket = line.indexOf(u'(');
        if (bracket >= 0) {
            if (line.indexOf(u')', bracket + 1) < 0) return Message(number, kNoClosingBracket);
            const QStringView beforeBracket = line.left(bracket);
            if (!beforeBracket.contains(u'=') && !IsKnownFunction(beforeBracket))
                result = Message(number, kUnknownFunction);
        }
        if (line.count(u'\'') % 2 != 0) return Message(number, kNoClosingQuote);
        if (const char16_t* fault = AssignmentFault(line)) return Message(number, fault);
        if (const char16_t* fault = ConditionFault(line)) return Message(number, fault);
    }
    return result;
}
