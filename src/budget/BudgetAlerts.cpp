// SPDX-License-Identifier: GPL-3.0-or-later
// Which budget and cap thresholds a period has crossed, and how to say so.
#include "budget/BudgetAlerts.h"

#include "core/MoneyText.h"
#include "core/Numbers.h"

#include <QCoreApplication>

namespace {

constexpr int kThresholds[] = {80, 100};  // percent of a limit, ascending

QString Megabytes(double value, const QLocale& locale) {
    return NumberText(RoundHalfEven(value, 0), locale) +
           QCoreApplication::translate("BudgetAlerts", " МБ");
}

// The alert for one limit: `used` of `limit`, both in the limit's unit, written by `write`
// only when a threshold is crossed (checked at every tick, mostly it is not).
template <typename Write>
std::optional<DueAlert> Due(const PeriodReport& report, const QString& kind, double used,
                            double limit, const Write& write) {
    if (limit <= 0) return std::nullopt;
    DueAlert alert;
    int highest = 0;
    for (const int percent : kThresholds) {
        if (used < limit * percent / 100.0) break;
        highest = percent;
        alert.keys.append(QStringLiteral("%1 %2 %3 %4")
                              .arg(report.period.start.toString(Qt::ISODate), kind)
                              .arg(limit, 0, 'g', 15)
                              .arg(percent));
    }
    if (highest == 0) return std::nullopt;
    const QString usedText = write(used);
    const QString limitText = write(limit);
    const bool money = kind == u"budget";
    if (highest >= 100) {
        alert.text = (money ? QCoreApplication::translate("BudgetAlerts",
                                                          "Бюджет периода исчерпан: %1 из %2.")
                            : QCoreApplication::translate(
                                  "BudgetAlerts", "Лимит трафика периода исчерпан: %1 из %2."))
                         .arg(usedText, limitText);
    } else {
        alert.text =
            (money ? QCoreApplication::translate("BudgetAlerts",
                                                 "Израсходовано %1 % бюджета периода: %2 из %3.")
                   : QCoreApplication::translate(
                         "BudgetAlerts", "Израсходовано %1 % лимита трафика периода: %2 из %3."))
                .arg(int(used * 100 / limit))
                .arg(usedText, limitText);
    }
    return alert;
}

}  // namespace

QList<DueAlert> DueAlerts(const PeriodReport& report, const QString& currency,
                          const QLocale& locale) {
    QList<DueAlert> alerts;
    const auto money = [&](double value) { return MoneyText(value, currency, locale); };
    const auto megabytes = [&](double value) { return Megabytes(value, locale); };
    if (auto budget = Due(report, QStringLiteral("budget"), report.bill, report.budget, money))
        alerts.append(*budget);
    if (auto cap = Due(report, QStringLiteral("cap"), report.UsedMb(), report.capMb, megabytes))
        alerts.append(*cap);
    return alerts;
}
