// SPDX-License-Identifier: GPL-3.0-or-later
// The live figures the program publishes for panels, and what changed between two of them.
#pragma once

#include <QString>
#include <QVariantMap>

#include <limits>

struct PeriodLimits;
struct PeriodUse;
struct TrafficCounters;

// One sampling tick's figures, as the interface org.example.Vantoril.Meter names them.
struct MeterFigures {
    bool connected = false;
    QString connectionName;  // empty while down
    qulonglong receivedBytes = 0;
    qulonglong sentBytes = 0;
    qulonglong linkBps = 0;
    qulonglong onlineSeconds = 0;
    double cost = 0;        // the connection's money at the tariff in force, 2 decimals
    double periodCost = 0;  // the billing period's money, the running connection included
    double periodBill = 0;  // what the period is billed: the plan's fee and the traffic beyond
    double budget = 0;      // 0: none
    double periodMb = 0;    // MB of 1,048,576 bytes, 2 decimals
    double capMb = 0;       // 0: none
    QString currency;       // the sign the user writes after money; may be empty
    QString message;        // the script's message line
    // The operator's side: the last balance answer, and whether the link is roaming.
    double balance = std::numeric_limits<double>::quiet_NaN();  // NaN: unknown
    QString balanceText;        // the answer as the operator gave it
    qlonglong balanceTime = 0;  // seconds since the epoch; 0: never asked
    bool roaming = false;
};

// The figures of a tick: the counters as the indicator shows them (the cost of the tariff
// type in force), what the period has used as the history counts it, and its limits
// with the currency sign.
MeterFigures MakeMeterFigures(bool connected, const QString& connectionName,
                              const TrafficCounters& counters, int tariffType,
                              const PeriodUse& period, const PeriodLimits& limits,
                              const QString& message);

// Every figure under its property name, as D-Bus types (b, s, t, d).
QVariantMap MeterProperties(const MeterFigures& figures);

// Only the figures of `now` that differ from `before`, under their property names.
QVariantMap ChangedMeterProperties(const MeterFigures& before, const MeterFigures& now);
