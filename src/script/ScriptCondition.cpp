// SPDX-License-Identifier: GPL-3.0-or-later
// The condition of an if line: cut into its two words, the comparison and the action.
#include "script/ScriptCondition.h"

#include "script/ScriptWords.h"

namespace {

struct ConditionSplit {
    QStringView condition;  // still in its brackets
    QStringView rest;       // "then" and the action, or the action alone
};

// Finds where the condition ends; nothing when it never does.
std::optional<ConditionSplit> SplitCondition(QStringView text) {
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            const qsizetype closing = text.indexOf(u'"', i + 1);
            if (closing < 0) return std::nullopt;
            i = closing;
            if (depth == 0) return ConditionSplit{text.left(i + 1), TrimBlanks(text.mid(i + 1))};
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            if (--depth == 0) return ConditionSplit{text.left(i + 1), TrimBlanks(text.mid(i + 1))};
        } else if ((c == u'<' || c == u'>' || c == u'=') && depth == 0) {
            return ConditionSplit{TrimBlanks(text.left(i)), TrimBlanks(text.mid(i))};
        }
    }
    return std::nullopt;
}

QStringView ActionOf(QStringView rest) {
    if (MatchesKeyword(rest.left(4), u"then")) return TrimBlanks(rest.mid(4));
    return rest;
}

QStringView WithoutBrackets(QStringView condition) {
    if (condition.startsWith(u'(')) condition = TrimBlanks(condition.mid(1));
    if (condition.endsWith(u')')) condition = TrimBlanks(condition.chopped(1));
    return condition;
}

}  // namespace

std::optional<ScriptCondition> CutCondition(QStringView text) {
    const std::optional<ConditionSplit> split = SplitCondition(text);
    if (!split) return std::nullopt;
    const QStringView condition = WithoutBrackets(split->condition);
    const qsizetype firstBlank = condition.indexOf(u' ');
    if (firstBlank < 0) return std::nullopt;
    const qsizetype secondBlank = condition.indexOf(u' ', firstBlank + 1);
    if (secondBlank < 0) return std::nullopt;
    return ScriptCondition{TrimBlanks(condition.left(firstBlank)),
                           TrimBlanks(condition.mid(firstBlank, secondBlank - firstBlank)),
                           TrimBlanks(condition.mid(secondBlank + 1)), ActionOf(split->rest)};
}

bool CompareNumbers(double left, QStringView comparison, double right) {
    if (comparison == u">") return left > right;
    if (comparison == u"<") return left < right;
    if (comparison == u"<>") return left != right;
    if (comparison == u">=") return left >= right;
    if (comparison == u"<=") return left <= right;
    if (comparison == u"=") return left == right;
    return false;
}
