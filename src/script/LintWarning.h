// SPDX-License-Identifier: GPL-3.0-or-later
// One warning of the script lint: the line it is about and what it says.
#pragma once

#include <QString>

struct LintWarning {
    int line = 0;  // from 1, counted as the interpreter counts
    QString text;  // Russian, one sentence or two

    bool operator==(const LintWarning& other) const {
        return line == other.line && text == other.text;
    }
};
