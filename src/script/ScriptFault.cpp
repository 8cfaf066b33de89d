// SPDX-License-Identifier: GPL-3.0-or-later
// A fault met while a script runs, as the error box shows it.
#include "script/ScriptFault.h"

#include <QCoreApplication>

namespace {

QString Description(ScriptFaultKind kind) {
    switch (kind) {
        case ScriptFaultKind::InvalidArgument:
            return QCoreApplication::translate(
                "ScriptFault", "Недопустимый аргумент: отрицательное число в дробной степени");
        case ScriptFaultKind::Overflow:
            return QCoreApplication::translate("ScriptFault", "Переполнение");
        case ScriptFaultKind::DivisionByZero:
            return QCoreApplication::translate("ScriptFault", "Деление на ноль");
        case ScriptFaultKind::InvalidPropertyValue:
            return QCoreApplication::translate(
                "ScriptFault", "Недопустимое значение интервала: нужно от 0 до 65535 мс");
    }
    return QString();
}

}  // namespace

QString ScriptFault::Title() const {
    return QCoreApplication::translate("ScriptFault", "Ошибка ") + QString::number(number);
}

ScriptFault MakeFault(ScriptFaultKind kind, int lineNumber) {
    return ScriptFault{int(kind), Description(kind) +
                                      QCoreApplication::translate("ScriptFault", " (строка ") +
                                      QString::number(lineNumber) + QStringLiteral(")")};
}
