// SPDX-License-Identifier: GPL-3.0-or-later
// Summing the statistics files' monthly amounts.
#include "history/BookedMonths.h"

#include "core/Numbers.h"
#include "stats/ConnectionFileName.h"
#include "stats/StatisticsFolder.h"

QMap<QDate, double> BookedMonthTotals(const ProgramFolder& folder, const QList<QDate>& months,
                                      const QLocale& locale) {
    QMap<QDate, double> totals;
    if (months.isEmpty()) return totals;
    const StatisticsFolder statistics(folder);
    for (const StatisticConnection& connection : statistics.Connections()) {
        for (const QDate& month : months) {
            const QString amount = statistics.Amount(connection.fileName, StatisticMonthKey(month));
            if (amount.isEmpty()) continue;
            if (const std::optional<double> value = ReadLocaleNumber(amount, locale))
                totals[month] += *value;
        }
    }
    return totals;
}
