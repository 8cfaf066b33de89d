// SPDX-License-Identifier: GPL-3.0-or-later
// The one operation an assignment may hold: + - * / ^ on numbers, & joining their texts.
#include "script/ScriptOperation.h"

#include "core/Numbers.h"

#include <cmath>

namespace {

OperationOutcome Fault(ScriptFaultKind kind) {
    return OperationOutcome{ScriptValue(), kind};
}

double Calculate(double left, QChar op, double right) {
    switch (op.unicode()) {
        case u'+':
            return left + right;
        case u'-':
            return left - right;
        case u'*':
            return left * right;
        case u'/':
            return left / right;
        default:
            return std::pow(left, right);
    }
}

}  // namespace

OperationOutcome ApplyOperation(double left, QChar op, double right, const QLocale& locale) {
    if (!std::isfinite(left) || !std::isfinite(right)) return Fault(ScriptFaultKind::Overflow);
    if (op == u'&') {
        return OperationOutcome{
            ScriptValue::Text(NumberText(left, locale) + NumberText(right, locale)), std::nullopt};
    }
    if (op == u'/' && right == 0) return Fault(ScriptFaultKind::DivisionByZero);
    if (op == u'^' && left < 0 && std::trunc(right) != right)
        return Fault(ScriptFaultKind::InvalidArgument);
    const double result = Calculate(left, op, right);
    if (!std::isfinite(result)) return Fault(ScriptFaultKind::Overflow);
    return OperationOutcome{ScriptValue::Number(result), std::nullopt};
}
