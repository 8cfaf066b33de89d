// SPDX-License-Identifier: GPL-3.0-or-later
// A fault met while a script runs, as the error box shows it.
#include "script/ScriptFault.h"

namespace {

QString Description(ScriptFaultKind kind) {
    switch (kind) {
        case ScriptFaultKind::InvalidArgument:
            return QStringLiteral("Недопустимый аргумент: отрицательное число в дробной степени");
        case ScriptFaultKind::Overflow:
            return QStringLiteral("Переполнение");
        case ScriptFaultKind::DivisionByZero:
            return QStringLiteral("Деление на ноль");
        case ScriptFaultKind::InvalidPropertyValue:
            return QStringLiteral("Недопустимое значение интервала: нужно от 0 до 65535 мс");
    }
    return QString();
}

}  // namespace

QString ScriptFault::Title() const {
    return QStringLiteral("Ошибка ") + QString::number(number);
}

ScriptFault MakeFault(ScriptFaultKind kind, int lineNumber) {
    return ScriptFault{int(kind), Description(kind) + QStringLiteral(" (строка ") +
                                      QString::number(lineNumber) + QStringLiteral(")")};
}
