// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of vantoril-script: check a script file, list what it probably does not
// do as meant, or run it once and list what it did.
#pragma once

#include <QStringList>
#include <QTextStream>

// Exit statuses: 0 done (for check: no fault; for lint: no warning), 1 check found a
// fault or lint a warning, 2 unreadable file or wrong arguments.
int RunScriptTool(const QStringList& arguments, QTextStream& out, QTextStream& err);
