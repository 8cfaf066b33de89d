// SPDX-License-Identifier: GPL-3.0-or-later
// Warnings about what a script passes the checker with but does not do as its author
// probably meant. Each line is classified as the interpreter classifies it.
#include "script/ScriptLint.h"

#include "script/LintContext.h"
#include "script/LintRules.h"
#include "script/ScriptLines.h"
#include "script/ScriptWords.h"

#include <QCoreApplication>

namespace {

// "  var x" and "  if (...)" are neither a declaration nor a condition when run.
void LintLeadingBlanks(LintContext& context, QStringView line) {
    if (!line.startsWith(u' ')) return;
    const QStringView trimmed = TrimBlanks(line);
    if (MatchesKeyword(trimmed.left(4), u"var ")) {
        context.Warn(QCoreApplication::translate(
            "ScriptLint", "пробелы перед «var»: строка не выполняется как объявление"));
    } else if (MatchesKeyword(trimmed.left(3), u"if ")) {
        context.Warn(QCoreApplication::translate(
            "ScriptLint", "пробелы перед «if»: строка не выполняется как условие"));
    }
}

// "  ; note" passes the check as a comment but runs as a statement; it matters only
// with an "=" or a "(".
bool LintIndentedComment(LintContext& context, QStringView line) {
    if (!TrimBlanks(line).startsWith(u';')) return false;
    if (line.contains(u'=') || line.contains(u'('))
        context.Warn(
            QCoreApplication::translate("ScriptLint",
                                        "пробелы перед «;»: при выполнении строка не комментарий, "
                                        "а инструкция"));
    return true;
}

void LintLine(LintContext& context, QStringView line) {
    if (line.startsWith(u';') || LintIndentedComment(context, line)) return;
    LintLeadingBlanks(context, line);
    const qsizetype blank = line.indexOf(u' ');
    if (blank >= 0 && MatchesKeyword(line.left(blank), u"if"))
        return LintCondition(context, line.mid(blank + 1));
    if (const std::optional<QStringView> name = DeclaredName(line)) return context.Declare(*name);
    if (line.contains(u'=')) LintStatement(context, line);
    const qsizetype bracket = line.indexOf(u'(');
    if (bracket >= 0 && !line.left(bracket).contains(u' ')) LintCall(context, line);
}

}  // namespace

QList<LintWarning> LintScript(const QString& code, const QLocale& locale) {
    const QList<QStringView> lines = SplitScriptLines(code);
    if (FindLimitBreach(lines)) return {};
    LintContext context(locale);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        context.StartLine(int(i + 1));
        LintLine(context, lines[i]);
    }
    return context.Finish();
}
