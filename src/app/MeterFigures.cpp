// The live figures for panels: made from the counters and the period, compared by name.
#include "app/MeterFigures.h"

#include "history/BillingPeriod.h"
#include "indicator/TrafficCounters.h"
#include "shell/Numbers.h"

MeterFigures MakeMeterFigures(bool connected, const QString& connectionName,
                              const TrafficCounters& counters, int tariffType,
                              const PeriodReport& period, const QString& message) {
    MeterFigures figures;
    figures.connected = connected;
    if (connected) figures.connectionName = connectionName;
    figures.receivedBytes = counters.Stats.bytesReceived;
    figures.sentBytes = counters.Stats.bytesSent;
    figures.linkBps = uint64_t(std::max<int64_t>(counters.LinkBps, 0));
    figures.onlineSeconds = uint64_t(std::max<int32_t>(counters.OnlineSeconds, 0));
    // The single-precision counters hold 2 decimals only approximately.
    figures.cost = RoundHalfEven(tariffType != 0 ? counters.TimeCost : counters.TotalCost, 2);
    figures.periodCost = RoundHalfEven(period.used.cost, 2);
    figures.budget = period.budget;
    figures.periodMb = RoundHalfEven(period.UsedMb(), 2);
    figures.capMb = period.capMb;
    figures.message = message;
    return figures;
}

QVariantMap MeterProperties(const MeterFigures& figures) {
    return {
        {QStringLiteral("Connected"), figures.connected},
        {QStringLiteral("ConnectionName"), figures.connectionName},
        {QStringLiteral("ReceivedBytes"), qulonglong(figures.receivedBytes)},
        {QStringLiteral("SentBytes"), qulonglong(figures.sentBytes)},
        {QStringLiteral("LinkBps"), qulonglong(figures.linkBps)},
        {QStringLiteral("OnlineSeconds"), qulonglong(figures.onlineSeconds)},
        {QStringLiteral("Cost"), figures.cost},
        {QStringLiteral("PeriodCost"), figures.periodCost},
        {QStringLiteral("Budget"), figures.budget},
        {QStringLiteral("PeriodMB"), figures.periodMb},
        {QStringLiteral("CapMB"), figures.capMb},
        {QStringLiteral("Message"), figures.message},
    };
}

QVariantMap ChangedMeterProperties(const MeterFigures& before, const MeterFigures& now) {
    const QVariantMap old = MeterProperties(before);
    QVariantMap changed = MeterProperties(now);
    for (auto it = changed.begin(); it != changed.end();)
        it = it.value() == old.value(it.key()) ? changed.erase(it) : std::next(it);
    return changed;
}
