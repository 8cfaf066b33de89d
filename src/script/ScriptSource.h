// SPDX-License-Identifier: GPL-3.0-or-later
// The script the timer runs, read again only when its file changed.
#pragma once

#include "core/FileChangeWatch.h"

#include <QString>

class ProgramFolder;

// The timer runs the script every few seconds; the file is opened and read at the first
// run and after a change notice (or, where the folder gives none, a stat that differs).
class ScriptSource {
public:
    explicit ScriptSource(const ProgramFolder& folder);

    const QString& Text();

private:
    const ProgramFolder& folder_;
    FileChangeWatch file_;
    QString text_;
};
