// SPDX-License-Identifier: GPL-3.0-or-later
// The condition of an if line: cut into its two words, the comparison and the action.
#pragma once

#include <QStringView>

#include <optional>

// Views into the text handed to CutCondition.
struct ScriptCondition {
    QStringView left;        // the word before the comparison
    QStringView comparison;  // ">", "<", "<>", ">=", "<=", "=" or any other word
    QStringView right;       // the word after the comparison
    QStringView action;      // what runs when the condition holds
};

// Cuts the text after "if ": it ends at the ")" closing its first bracket (text between
// double quotes skipped) or at the first "<", ">" or "=" outside brackets; one bracket
// pair is removed and the rest cut at its first two blanks. Nothing when the text cannot
// be cut that way (fewer than two blanks, no end, an unclosed double quote): such a
// condition never holds.
std::optional<ScriptCondition> CutCondition(QStringView text);

// Compares by the comparison word, matched exactly; any other word is false.
bool CompareNumbers(double left, QStringView comparison, double right);
