// SPDX-License-Identifier: GPL-3.0-or-later
// The lint's rules for each kind of statement, run as the interpreter would run it.
#pragma once

#include "script/LintContext.h"

#include <QStringView>

// The text after "if ": the condition, its comparison and its action.
void LintCondition(LintContext& context, QStringView condition);
// A line or action holding "=": an operation, a call, a copy, or nothing stored.
void LintStatement(LintContext& context, QStringView statement);
// A command call: its name, its argument and what it does.
void LintCall(LintContext& context, QStringView call);

// An operand word of an operation, a copy or a comparison: a call, a number with a
// comma, a variable not declared.
void LintOperandWord(LintContext& context, QStringView word);
// A built-in read as a number in arithmetic or a copy, where only its whole part counts
// in a locale with a decimal comma.
void LintFractionalBuiltIn(LintContext& context, QStringView word);
