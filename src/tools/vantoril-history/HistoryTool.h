// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of vantoril-history: the connections, the days and the billing period
// from the history of a program folder.
#pragma once

#include <QLocale>
#include <QStringList>
#include <QTextStream>

class Clock;

// Exit statuses: 0 done, 1 the history cannot be read, 2 no history or wrong arguments.
int RunHistoryTool(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const Clock& clock, const QLocale& locale);
