// SPDX-License-Identifier: GPL-3.0-or-later
// Lint rules for command calls: the argument a command takes, timer constants, a hang-up
// on every run.
#include "core/Numbers.h"
#include "script/LintRules.h"
#include "script/ScriptInterval.h"
#include "script/ScriptWords.h"

#include <QCoreApplication>

namespace {

void LintTimerConstant(LintContext& context, QStringView name, QStringView item) {
    const QString text = item.toString().remove(u'\'');
    if (!item.contains(u'\'') && !IsNumberLiteral(item)) return;  // a variable: known at run time
    const IntervalOutcome interval = ReadInterval(text);
    if (interval.fault) {
        context.Warn(
            QCoreApplication::translate("LintCommands",
                                        "%1: интервал вне 0–65535 мс; при выполнении — ошибка %2, "
                                        "интервал не меняется")
                .arg(Quoted(QString(name.toString() + u'(' + item + u')')),
                     QString::number(int(*interval.fault))));
    } else if (interval.milliseconds == 0 && TrimBlanks(text) != u"0") {
        context.Warn(
            QCoreApplication::translate("LintCommands",
                                        "аргумент %1 не число: читается как 0, а 0 останавливает "
                                        "таймер")
                .arg(Quoted(item)));
    }
}

void LintArgument(LintContext& context, QStringView name, QStringView item) {
    const bool timer =
        MatchesKeyword(name, u"timer_refresh") || MatchesKeyword(name, u"timer_script");
    if (timer) LintTimerConstant(context, name, item);
    if (item.contains(u'\'')) return;
    if (item.contains(u',') && !timer) return;  // "message(1,5)" passes its text
    LintOperandWord(context, item);
}

}  // namespace

void LintCall(LintContext& context, QStringView call) {
    const qsizetype open = call.indexOf(u'(');
    const qsizetype close = call.indexOf(u')');
    if (open < 0 || close < open) return;
    const QStringView name = TrimBlanks(call.left(open));
    const QStringView arguments = call.mid(open + 1, close - open - 1);
    const bool takesArgument = MatchesKeyword(name, u"message") ||
                               MatchesKeyword(name, u"timer_refresh") ||
                               MatchesKeyword(name, u"timer_script");
    if (MatchesKeyword(name, u"disconn") && !context.Conditional()) {
        context.Warn(
            QCoreApplication::translate("LintCommands",
                                        "«disconn()» без условия разрывает соединение при каждом "
                                        "выполнении сценария"));
    }
    if (!takesArgument) return;
    if (arguments.isEmpty()) {
        context.Warn(
            QCoreApplication::translate("LintCommands", "%1 без аргумента ничего не делает")
                .arg(Quoted(QString(name.toString() + QStringLiteral("()")))));
        return;
    }
    const qsizetype tilde = arguments.indexOf(u'~');
    if (tilde >= 0) {
        context.Warn(
            QCoreApplication::translate("LintCommands",
                                        "команда берёт только первый аргумент: всё после «~» не "
                                        "используется"));
    }
    LintArgument(context, name, tilde < 0 ? arguments : arguments.left(tilde));
}
