// SPDX-License-Identifier: GPL-3.0-or-later
// Warnings about what a script passes the checker with but does not do as its author
// probably meant: conditions that cannot be cut, expressions with several operators,
// decimal commas, undeclared or unused variables, timer constants out of range, an
// unconditional hang-up.
#pragma once

#include <QList>
#include <QLocale>
#include <QString>

struct LintWarning {
    int line = 0;  // from 1, counted as the interpreter counts
    QString text;  // Russian, one sentence or two

    bool operator==(const LintWarning& other) const {
        return line == other.line && text == other.text;
    }
};

// The warnings in line order, each once. The locale is the one the script will run in:
// it decides whether the built-in counters are written with a decimal comma. A script
// beyond the size limits gives none (the checker refuses it).
[[nodiscard]] QList<LintWarning> LintScript(const QString& code, const QLocale& locale);
