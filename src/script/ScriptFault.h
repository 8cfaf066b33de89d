// SPDX-License-Identifier: GPL-3.0-or-later
// A fault met while a script runs, as the error box shows it.
#pragma once

#include <QString>

// The number of each fault, as the error box's title shows it.
enum class ScriptFaultKind {
    InvalidArgument = 5,  // "^" with a negative base and a fractional power
    Overflow = 6,         // a number beyond its range; a script beyond the size limits
    DivisionByZero = 11,
    InvalidPropertyValue = 380,  // an interval outside 0 to 65535 ms
};

struct ScriptFault {
    int number = 0;
    QString description;

    // The error box's title: "Ошибка 380".
    QString Title() const;
};

// The fault of that kind met on a line (numbered from 1); the line is named in the text.
ScriptFault MakeFault(ScriptFaultKind kind, int lineNumber);
