// SPDX-License-Identifier: GPL-3.0-or-later
// The live figures for panels: made from the counters and the period, compared by name.
#include "app/MeterFigures.h"

#include "history/BillingPeriod.h"
#include "indicator/TrafficCounters.h"
#include "shell/Numbers.h"

MeterFigures MakeMeterFigures(bool connected, const QString& connectionName,
                              const TrafficCounters& counters, int tariffType,
                              const Usage& periodUsed, const PeriodLimits& limits,
                              const QString& message) {
    MeterFigures figures;
    figures.connected = connected;
    if (connected) figures.connectionName = connectionName;
    figures.receivedBytes = counters.Stats.bytesReceived;
    figures.sentBytes = counters.Stats.bytesSent;
    figures.linkBps = qulonglong(std::max<int64_t>(counters.LinkBps, 0));
    figures.onlineSeconds = qulonglong(std::max<int32_t>(counters.OnlineSeconds, 0));
    // The single-precision counters hold 2 decimals only approximately.
    figures.cost = RoundHalfEven(tariffType != 0 ? counters.TimeCost : counters.TotalCost, 2);
    figures.periodCost = RoundHalfEven(periodUsed.cost, 2);
    figures.budget = limits.budget;
    figures.periodMb = RoundHalfEven(Megabytes(periodUsed), 2);
    figures.capMb = limits.capMb;
    figures.message = message;
    return figures;
}

namespace {
// Adds the figure under its name when it differs from the one before (always without one).
template <typename T>
void Note(QVariantMap& map, const char* name, const T* before, const T& now) {
    if (!before || !(*before == now)) map.insert(QLatin1String(name), QVariant::fromValue(now));
}

// The figures of `now` that differ from `before`; every figure without `before`. Compared
// field by field: this runs at every sampling tick.
QVariantMap Figures(const MeterFigures* before, const MeterFigures& now) {
    QVariantMap map;
    const auto was = [before](auto MeterFigures::*field) {
        return before ? &(before->*field) : nullptr;
    };
    Note(map, "Connected", was(&MeterFigures::connected), now.connected);
    Note(map, "ConnectionName", was(&MeterFigures::connectionName), now.connectionName);
    Note(map, "ReceivedBytes", was(&MeterFigures::receivedBytes), now.receivedBytes);
    Note(map, "SentBytes", was(&MeterFigures::sentBytes), now.sentBytes);
    Note(map, "LinkBps", was(&MeterFigures::linkBps), now.linkBps);
    Note(map, "OnlineSeconds", was(&MeterFigures::onlineSeconds), now.onlineSeconds);
    Note(map, "Cost", was(&MeterFigures::cost), now.cost);
    Note(map, "PeriodCost", was(&MeterFigures::periodCost), now.periodCost);
    Note(map, "Budget", was(&MeterFigures::budget), now.budget);
    Note(map, "PeriodMB", was(&MeterFigures::periodMb), now.periodMb);
    Note(map, "CapMB", was(&MeterFigures::capMb), now.capMb);
    Note(map, "Message", was(&MeterFigures::message), now.message);
    return map;
}
}  // namespace

QVariantMap MeterProperties(const MeterFigures& figures) {
    return Figures(nullptr, figures);
}

QVariantMap ChangedMeterProperties(const MeterFigures& before, const MeterFigures& now) {
    return Figures(&before, now);
}
