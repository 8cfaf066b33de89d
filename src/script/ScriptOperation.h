// SPDX-License-Identifier: GPL-3.0-or-later
// The one operation an assignment may hold: + - * / ^ on numbers, & joining their texts.
#pragma once

#include "script/ScriptFault.h"
#include "script/ScriptValue.h"

#include <QChar>
#include <QLocale>
#include <QStringView>

#include <optional>

// Operator characters in the order they are looked for: the first of them that occurs
// anywhere in the expression is the operator, wherever it stands.
inline constexpr QStringView kOperatorPriority = u"+-&/*^";

// The result, or the fault when there is none (nothing is stored then).
struct OperationOutcome {
    ScriptValue value;
    std::optional<ScriptFaultKind> fault;
};

// Division by zero, a negative base with a fractional power and results or operands
// beyond the double range are faults; "&" writes both numbers in the locale's format.
OperationOutcome ApplyOperation(double left, QChar op, double right, const QLocale& locale);
