// SPDX-License-Identifier: GPL-3.0-or-later
// The live figures for panels: made from the counters and the period, compared by name.
#include "bus/MeterFigures.h"

#include "budget/BillingPeriod.h"
#include "indicator/TrafficCounters.h"

#include <cmath>

MeterFigures MakeMeterFigures(bool connected, const QString& connectionName,
                              const TrafficCounters& counters, int tariffType,
                              const PeriodUse& period, const PeriodLimits& limits,
                              const QString& message) {
    MeterFigures figures;
    figures.connected = connected;
    if (connected) figures.connectionName = connectionName;
    figures.receivedBytes = counters.Stats.bytesReceived;
    figures.sentBytes = counters.Stats.bytesSent;
    figures.linkBps = qulonglong(std::max<int64_t>(counters.LinkBps, 0));
    figures.onlineSeconds = qulonglong(std::max<int32_t>(counters.OnlineSeconds, 0));
    figures.cost = ConnectionMoney(counters, tariffType);
    const PeriodTotals totals = RoundedTotals(limits, period);
    figures.periodCost = totals.cost;
    figures.periodBill = totals.bill;
    figures.budget = limits.budget;
    figures.periodMb = totals.megabytes;
    figures.capMb = limits.capMb;
    figures.currency = limits.currency;
    figures.message = message;
    return figures;
}

namespace {
// The figures of `now` that differ from `before`; every figure without `before`. Compared
// field by field: this runs at every sampling tick.
QVariantMap Figures(const MeterFigures* before, const MeterFigures& now) {
    QVariantMap map;
    const auto note = [&](const char* name, auto MeterFigures::*field) {
        if (!before || !(before->*field == now.*field))
            map.insert(QLatin1String(name), QVariant::fromValue(now.*field));
    };
    note("Connected", &MeterFigures::connected);
    note("ConnectionName", &MeterFigures::connectionName);
    note("ReceivedBytes", &MeterFigures::receivedBytes);
    note("SentBytes", &MeterFigures::sentBytes);
    note("LinkBps", &MeterFigures::linkBps);
    note("OnlineSeconds", &MeterFigures::onlineSeconds);
    note("Cost", &MeterFigures::cost);
    note("PeriodCost", &MeterFigures::periodCost);
    note("PeriodBill", &MeterFigures::periodBill);
    note("Budget", &MeterFigures::budget);
    note("PeriodMB", &MeterFigures::periodMb);
    note("CapMB", &MeterFigures::capMb);
    note("Currency", &MeterFigures::currency);
    note("Message", &MeterFigures::message);
    // An unknown balance (NaN) is never equal to itself, yet has not changed.
    if (!before || !(before->balance == now.balance ||
                     (std::isnan(before->balance) && std::isnan(now.balance))))
        map.insert(QStringLiteral("Balance"), now.balance);
    note("BalanceText", &MeterFigures::balanceText);
    note("BalanceTime", &MeterFigures::balanceTime);
    note("Roaming", &MeterFigures::roaming);
    return map;
}
}  // namespace

QVariantMap MeterProperties(const MeterFigures& figures) {
    return Figures(nullptr, figures);
}

QVariantMap ChangedMeterProperties(const MeterFigures& before, const MeterFigures& now) {
    return Figures(&before, now);
}
