// SPDX-License-Identifier: GPL-3.0-or-later
// Which document the Help menu item opens.
#pragma once

#include <QString>

class ProgramFolder;

// "help.chm" in the program folder when it is there; else the README installed beside
// the program (<prefix>/share/doc/vantoril/README.md), which a Linux desktop can show;
// else the empty text, and Help does nothing.
QString HelpDocument(const ProgramFolder& folder, const QString& executableFolder);
