// SPDX-License-Identifier: GPL-3.0-or-later
// What the syntax checker found, and the one place its Russian message is composed.
#include "script/SyntaxReport.h"

#include "script/ScriptLines.h"

#include <QCoreApplication>

namespace {

QString Ending(SyntaxFault fault) {
    switch (fault) {
        case SyntaxFault::NoClosingBracket:
            return QCoreApplication::translate("SyntaxReport", ": нет закрывающей скобки - )");
        case SyntaxFault::UnknownFunction:
            return QCoreApplication::translate("SyntaxReport", ": неизвестная функция");
        case SyntaxFault::NoClosingQuote:
            return QCoreApplication::translate("SyntaxReport", ": нет закрывающей кавычки");
        case SyntaxFault::DivisionByZero:
            return QCoreApplication::translate("SyntaxReport", ": деление на ноль");
        case SyntaxFault::ExpressionExpected:
            return QCoreApplication::translate("SyntaxReport", ": ожидается выражение");
        case SyntaxFault::ThenMissing:
            return QCoreApplication::translate("SyntaxReport", ": Отсутствует then");
        case SyntaxFault::ExpressionAfterThen:
            return QCoreApplication::translate("SyntaxReport", ": Ожидается выражение после then");
        case SyntaxFault::TooManyLines:
            return QCoreApplication::translate("SyntaxReport", ": больше %1 строк в сценарии")
                .arg(kMaxScriptLines);
        case SyntaxFault::LineTooLong:
            return QCoreApplication::translate("SyntaxReport", ": строка длиннее %1 символов")
                .arg(kMaxScriptLineLength);
    }
    return QString();
}

}  // namespace

QString SyntaxReportText(const SyntaxReport& report) {
    if (!report.fault) return QString();
    return QCoreApplication::translate("SyntaxReport", "Ошибка на линии ") +
           QString::number(report.line) + Ending(*report.fault);
}

QString SyntaxVerdict(const SyntaxReport& report) {
    return report.fault ? SyntaxReportText(report)
                        : QCoreApplication::translate("SyntaxReport", "Ошибок не обнаружено");
}
