// SPDX-License-Identifier: GPL-3.0-or-later
// The money the statistics files booked per calendar month, over all connections.
#pragma once

#include <QDate>
#include <QList>
#include <QLocale>
#include <QMap>

class ProgramFolder;

// The months' totals keyed by each month's first day; a month no file books is absent.
// Amounts are read in `locale`, as they were written; one that does not read is left out.
QMap<QDate, double> BookedMonthTotals(const ProgramFolder& folder, const QList<QDate>& months,
                                      const QLocale& locale);
