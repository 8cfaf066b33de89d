// The commands of vantoril-script: check a script file, or run it once and list what
// it did.
#pragma once

#include <QStringList>
#include <QTextStream>

// Exit statuses: 0 done (and for check: no fault), 1 check found a fault, 2 unreadable
// file or wrong arguments.
int RunScriptTool(const QStringList& arguments, QTextStream& out, QTextStream& err);
