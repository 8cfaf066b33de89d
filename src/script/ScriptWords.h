// SPDX-License-Identifier: GPL-3.0-or-later
// Word rules of the script language: blanks, letter case and number literals.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// A blank is the space character only: tabs are ordinary characters in scripts.
QStringView TrimBlanks(QStringView text);

// True when the text in lower case is the keyword (given in lower case). Letters are
// lowered one by one, Cyrillic included, so positions in the text keep their meaning;
// nothing is allocated, as this runs for every line.
bool MatchesKeyword(QStringView text, QStringView keyword);
// The name a declaration line ("var NAME", any case) declares: the rest of the line,
// blanks trimmed, whatever it holds; nothing for any other line.
std::optional<QStringView> DeclaredName(QStringView line);
// The position of the keyword (in lower case) in the text in lower case, from `from`;
// -1 when it is not there.
qsizetype FindKeyword(QStringView text, QStringView keyword, qsizetype from = 0);

// True when the word is a number literal ("integer"): exactly "0", "00" or "000", or a
// word whose leading number is not 0 ("5", "-2.5", "15min"). Any other word names a
// variable ("string"): "0.0", "0000", "x", "", "'5'".
bool IsNumberLiteral(QStringView word);
// The number a literal stands for; nothing for a variable name.
std::optional<double> LiteralValue(QStringView word);
