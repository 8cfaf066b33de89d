// SPDX-License-Identifier: GPL-3.0-or-later
// What the syntax checker found, and the one place its Russian message is composed.
#include "script/SyntaxReport.h"

#include "script/ScriptLines.h"

namespace {

QString Ending(SyntaxFault fault) {
    switch (fault) {
        case SyntaxFault::NoClosingBracket:
            return QStringLiteral(": нет закрывающей скобки - )");
        case SyntaxFault::UnknownFunction:
            return QStringLiteral(": неизвестная функция");
        case SyntaxFault::NoClosingQuote:
            return QStringLiteral(": нет закрывающей кавычки");
        case SyntaxFault::DivisionByZero:
            return QStringLiteral(": деление на ноль");
        case SyntaxFault::ExpressionExpected:
            return QStringLiteral(": ожидается выражение");
        case SyntaxFault::ThenMissing:
            return QStringLiteral(": Отсутствует then");
        case SyntaxFault::ExpressionAfterThen:
            return QStringLiteral(": Ожидается выражение после then");
        case SyntaxFault::TooManyLines:
            return QStringLiteral(": больше %1 строк в сценарии").arg(kMaxScriptLines);
        case SyntaxFault::LineTooLong:
            return QStringLiteral(": строка длиннее %1 символов").arg(kMaxScriptLineLength);
    }
    return QString();
}

}  // namespace

QString SyntaxReportText(const SyntaxReport& report) {
    if (!report.fault) return QString();
    return QStringLiteral("Ошибка на линии ") + QString::number(report.line) +
           Ending(*report.fault);
}

QString SyntaxVerdict(const SyntaxReport& report) {
    return report.fault ? SyntaxReportText(report) : QStringLiteral("Ошибок не обнаружено");
}
