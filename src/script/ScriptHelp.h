// SPDX-License-Identifier: GPL-3.0-or-later
// Which document the script editor's help opens.
#pragma once

#include <QString>

// The installed language reference (<prefix>/share/doc/vantoril/script-language.md) when
// it is there, else the installed README, which has a section on scripts; else the empty
// text. `executableFolder` is the folder of the running program.
[[nodiscard]] QString ScriptHelpDocument(const QString& executableFolder);
