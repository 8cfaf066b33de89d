// SPDX-License-Identifier: GPL-3.0-or-later
// Lint rules for if lines: a condition the interpreter can cut, a known comparison,
// "then" in its place, an action that does something.
#include "script/LintRules.h"
#include "script/ScriptCondition.h"
#include "script/ScriptWords.h"

#include <QCoreApplication>

#include <cmath>

namespace {

constexpr QStringView kComparisons[] = {u">", u"<", u"<>", u">=", u"<=", u"="};

bool IsComparison(QStringView word) {
    for (const QStringView comparison : kComparisons)
        if (word == comparison) return true;
    return false;
}

// Read by its whole part, a counter still compares exactly with a whole number by
// ">=" or "<" (the counter on the left) or by "<=" or ">" (the counter on the right).
// The whole number is a literal or a variable given only that literal.
bool ComparesExactlyByWholePart(const LintContext& context, QStringView comparison,
                                QStringView other, bool counterLeft) {
    std::optional<double> value = LiteralValue(other);
    if (!value) value = context.Constant(other);
    if (!value || std::trunc(*value) != *value) return false;
    return counterLeft ? (comparison == u">=" || comparison == u"<")
                       : (comparison == u"<=" || comparison == u">");
}

void LintFractionalComparison(LintContext& context, const ScriptCondition& cut) {
    if (!context.DecimalComma() || !IsComparison(cut.comparison)) return;
    for (const bool counterLeft : {true, false}) {
        const QStringView counter = counterLeft ? cut.left : cut.right;
        const QStringView other = counterLeft ? cut.right : cut.left;
        if (!IsFractionalBuiltIn(counter) ||
            ComparesExactlyByWholePart(context, cut.comparison, other, counterLeft))
            continue;
        context.Warn(
            QCoreApplication::translate("LintConditions",
                                        "в этой локали %1 записывается с десятичной запятой, и "
                                        "сравнение читает только его целую часть (90,5 — как 90); "
                                        "точно сравнивают «>=» и «<» с целым числом")
                .arg(Quoted(counter)));
    }
}

void LintOperands(LintContext& context, const ScriptCondition& cut) {
    if (cut.comparison.isEmpty()) {
        context.Warn(QCoreApplication::translate("LintConditions",
                                                 "между левым операндом и сравнением больше одного "
                                                 "пробела: условие никогда не выполняется"));
        return;
    }
    if (!IsComparison(cut.comparison)) {
        context.Warn(
            QCoreApplication::translate("LintConditions",
                                        "неизвестное сравнение %1: условие никогда не выполняется; "
                                        "сравнения: > < <> >= <= =")
                .arg(Quoted(cut.comparison)));
    }
    LintOperandWord(context, cut.left);
    if (cut.right.contains(u' ')) {
        context.Warn(
            QCoreApplication::translate("LintConditions",
                                        "справа от сравнения не одно слово, а %1: условие ничего "
                                        "не вычисляет")
                .arg(Quoted(cut.right)));
        return;
    }
    LintOperandWord(context, cut.right);
    LintFractionalComparison(context, cut);
}

// What the interpreter does with an action: an assignment or a call, else nothing.
void LintAction(LintContext& context, QStringView action) {
    const qsizetype bracket = action.indexOf(u'(');
    const bool call = bracket >= 0 && !action.left(bracket).contains(u' ');
    const bool keyword =
        MatchesKeyword(action.left(3), u"if ") || MatchesKeyword(action.left(4), u"var ");
    if (!keyword && action.contains(u'=')) {
        LintStatement(context, action);
    } else if (!keyword && call) {
        LintCall(context, action);
    } else {
        context.Warn(
            QCoreApplication::translate("LintConditions",
                                        "действие %1 ничего не делает: после «then» выполняется "
                                        "присваивание или команда")
                .arg(Quoted(action)));
    }
}

}  // namespace

void LintCondition(LintContext& context, QStringView condition) {
    const std::optional<ScriptCondition> cut = CutCondition(condition);
    if (!cut) {
        context.Warn(
            QCoreApplication::translate("LintConditions",
                                        "условие не делится на операнд, сравнение и операнд: "
                                        "нужны скобки и по одному пробелу вокруг сравнения, "
                                        "например «if (MAL > 90) then ...»; такое условие "
                                        "никогда не выполняется"));
        return;
    }
    LintOperands(context, *cut);
    if (cut->action.isEmpty()) return;  // the checker's "Ожидается выражение после then"
    const QStringView beforeAction =
        TrimBlanks(condition.left(cut->action.data() - condition.data()));
    if (!MatchesKeyword(beforeAction.right(4), u"then")) {
        context.Warn(
            QCoreApplication::translate("LintConditions",
                                        "сразу за условием нет «then»: действием считается весь "
                                        "остаток строки, %1")
                .arg(Quoted(cut->action)));
    }
    context.SetConditional(true);
    LintAction(context, cut->action);
    context.SetConditional(false);
}
