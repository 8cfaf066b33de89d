// SPDX-License-Identifier: GPL-3.0-or-later
// Lint rules for assignments: one operation per expression, "#" for copies, operand words.
#include "core/Numbers.h"
#include "script/LintRules.h"
#include "script/ScriptOperation.h"
#include "script/ScriptWords.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

// The interpreter's step 6: a command call that is not an assignment.
bool IsBareCall(QStringView statement) {
    const qsizetype bracket = statement.indexOf(u'(');
    return bracket >= 0 && !statement.left(bracket + 2).contains(u'=') &&
           !statement.left(bracket + 1).contains(u' ');
}

// How a literal operand reads, said when its text hides it: "2 * 3" reads as 2.
QString ReadsAs(QStringView word) {
    const std::optional<double> value = LiteralValue(word);
    if (!value || !word.contains(u' ')) return QString();
    return QCoreApplication::translate("LintStatements", " (читается как %1)")
        .arg(NumberText(*value, QLocale::c()));
}

void LintOperation(LintContext& context, QStringView expression, QChar op, qsizetype at) {
    const QStringView left = TrimBlanks(expression.left(at));
    const QStringView right = TrimBlanks(expression.mid(at + 1));
    qsizetype operators = 0;
    for (const QChar c : expression)
        if (kOperatorPriority.contains(c)) ++operators;
    if (expression.startsWith(u'#')) {
        context.Warn(
            QCoreApplication::translate("LintStatements",
                                        "«#» не действует, когда в выражении есть оператор: "
                                        "выполняется «%1» над %2 и %3")
                .arg(op)
                .arg(Quoted(left), Quoted(right)));
    } else if (operators > 1) {
        context.Warn(
            QCoreApplication::translate("LintStatements",
                                        "в выражении несколько операторов, а выполняется одна "
                                        "операция: «%1» (первый из + - & / * ^, что есть в "
                                        "выражении) над %2%3 и %4%5")
                .arg(op)
                .arg(Quoted(left), ReadsAs(left), Quoted(right), ReadsAs(right)));
    }
    if (left.isEmpty() && op != u'-')
        context.Warn(QCoreApplication::translate("LintStatements",
                                                 "перед «%1» нет операнда: он читается как 0")
                         .arg(op));
    if (right.isEmpty())
        context.Warn(QCoreApplication::translate("LintStatements",
                                                 "после «%1» нет операнда: он читается как 0")
                         .arg(op));
    for (const QStringView word : {left, right}) {
        if (word.isEmpty() || word.startsWith(u'#')) continue;
        LintOperandWord(context, word);
        LintFractionalBuiltIn(context, word);
    }
}

bool IsCommaNumber(QStringView word) {
    static const QRegularExpression kCommaNumber(QStringLiteral("^[+-]?[0-9]*,[0-9]"));
    return kCommaNumber.match(word.toString()).hasMatch();
}

}  // namespace

void LintOperandWord(LintContext& context, QStringView word) {
    if (word.startsWith(u'(')) {
        context.Warn(
            QCoreApplication::translate("LintStatements",
                                        "лишняя скобка: %1 читается как имя переменной, то есть 0; "
                                        "у условия одна пара скобок")
                .arg(Quoted(word)));
    } else if (word.contains(u'(')) {
        context.Warn(
            QCoreApplication::translate("LintStatements",
                                        "вызов %1 не может быть операндом: он читается как имя "
                                        "переменной, то есть 0; сохраните его результат отдельной "
                                        "строкой")
                .arg(Quoted(word)));
    } else if (IsCommaNumber(word)) {
        context.Warn(
            QCoreApplication::translate("LintStatements",
                                        "%1: десятичный разделитель в сценарии — только точка; "
                                        "читается как %2")
                .arg(Quoted(word), NumberText(ReadNumber(word), QLocale::c())));
    } else if (!IsNumberLiteral(word)) {
        // A word such as "0.0" is a name, but reads as the 0 it looks like.
        const QChar first = word.isEmpty() ? QChar() : word[0];
        if (first.isDigit() || first == u'.' || first == u'-' || first == u'+') return;
        context.Read(word);
    }
}

void LintFractionalBuiltIn(LintContext& context, QStringView word) {
    if (!context.DecimalComma() || !IsFractionalBuiltIn(word)) return;
    context.Warn(
        QCoreApplication::translate("LintStatements",
                                    "в этой локали %1 записывается с десятичной запятой, и в "
                                    "вычислении читается только его целая часть (1,4 — как 1)")
            .arg(Quoted(word)));
}

void LintStatement(LintContext& context, QStringView statement) {
    const qsizetype equals = statement.indexOf(u'=');
    const QStringView target = TrimBlanks(statement.left(equals));
    // An "=" inside a command's argument ("message('a=b')"): the line is a call.
    if (equals < 0 || target.contains(u'(') || target.contains(u'\'')) {
        if (IsBareCall(statement)) LintCall(context, statement);
        return;
    }
    const QStringView expression = TrimBlanks(statement.mid(equals + 1));
    if (expression.isEmpty()) return;  // the checker's "ожидается выражение"
    for (const QChar op : kOperatorPriority) {
        const qsizetype at = expression.indexOf(op);
        if (at < 0) continue;
        LintOperation(context, expression, op, at);
        context.Assign(target);
        return;
    }
    if (expression.contains(u'(')) {
        LintCall(context, expression);
        context.Assign(target);
        return;
    }
    const qsizetype hash = expression.indexOf(u'#');
    if (hash >= 0 && hash == expression.indexOf(u'=') + 1) {
        const QStringView word = TrimBlanks(expression.mid(hash + 1));
        LintOperandWord(context, word);
        LintFractionalBuiltIn(context, word);
        context.Assign(target, LiteralValue(word));
        return;
    }
    context.Warn(QCoreApplication::translate("LintStatements",
                                             "присваивание без «#» ничего не сохраняет: число или "
                                             "переменная копируется так: «%1 = #%2»")
                     .arg(target.toString(), expression.toString()));
}
