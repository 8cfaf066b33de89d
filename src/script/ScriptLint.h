// SPDX-License-Identifier: GPL-3.0-or-later
// Warnings about what a script passes the checker with but does not do as its author
// probably meant: conditions that cannot be cut, expressions with several operators,
// decimal commas, undeclared or unused variables, timer constants out of range, an
// unconditional hang-up.
#pragma once

#include "script/LintWarning.h"

#include <QList>
#include <QLocale>
#include <QString>

// The warnings in line order, each once. The locale is the one the script will run in:
// it decides whether the built-in counters are written with a decimal comma. A script
// beyond the size limits gives none (the checker refuses it).
[[nodiscard]] QList<LintWarning> LintScript(const QString& code, const QLocale& locale);
