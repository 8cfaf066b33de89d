// SPDX-License-Identifier: GPL-3.0-or-later
// Word rules of the script language: blanks, letter case and number literals.
#include "script/ScriptWords.h"

#include "core/Numbers.h"

QStringView TrimBlanks(QStringView text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == u' ') ++first;
    while (end > first && text[end - 1] == u' ') --end;
    return text.mid(first, end - first);
}

bool MatchesKeyword(QStringView text, QStringView keyword) {
    if (text.size() != keyword.size()) return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].toLower() != keyword[i]) return false;
    }
    return true;
}

qsizetype FindKeyword(QStringView text, QStringView keyword, qsizetype from) {
    for (qsizetype at = from; at + keyword.size() <= text.size(); ++at) {
        if (MatchesKeyword(text.mid(at, keyword.size()), keyword)) return at;
    }
    return -1;
}

bool IsNumberLiteral(QStringView word) {
    return LiteralValue(word).has_value();
}

std::optional<double> LiteralValue(QStringView word) {
    if (word == u"0" || word == u"00" || word == u"000") return 0.0;
    const double value = ReadNumber(word);
    if (value == 0) return std::nullopt;
    return value;
}

std::optional<QStringView> DeclaredName(QStringView line) {
    const qsizetype blank = line.indexOf(u' ');
    if (blank < 0 || !MatchesKeyword(line.left(blank), u"var")) return std::nullopt;
    return TrimBlanks(line.mid(blank + 1));
}
