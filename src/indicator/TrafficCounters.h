// SPDX-License-Identifier: GPL-3.0-or-later
// The one record of traffic figures and its computation from the link's statistics.
#pragma once

#include "history/HistoryTypes.h"
#include "link/LinkStats.h"
#include "tariff/ClassShares.h"

#include <cstdint>

// All zero at start and never reset; written only while a link is connected.
struct TrafficCounters {
    LinkStats Stats;   // the last statistics read from the link, copied whole
    float RecvMB = 0;  // MB of 1,048,576 bytes, 2 decimals
    float SentMB = 0;
    float TotalMB = 0;          // SentMB + RecvMB, not rounded again
    int64_t LinkBps = 0;        // bit/s as the link reports it (wider than 32 bits: 10 Gbit/s)
    int32_t OnlineSeconds = 0;  // whole seconds online
    float RecvCost = 0;         // money: each class's share at its price, 2 decimals
    float SentCost = 0;
    float TotalCost = 0;  // SentCost + RecvCost, not rounded again
    float TimeCost = 0;   // the sum of (price / 60) * (seconds / 60) over the classes, 2 decimals
    ClassShares Classes;  // what flowed and how long, per tariff class; sums to the figures above
};

// The counters for one connected tick: each class's share of the statistics priced at that
// class's price (per MB or per hour; the traffic and the time costs use the same price).
// Rounding halves to even; a connection within one class costs exactly its figures at
// that class's price.
TrafficCounters ComputeTrafficCounters(const LinkStats& stats, const ClassShares& classes,
                                       const ClassPrices& prices);
// The whole of the statistics in one class priced at `rate`.
TrafficCounters ComputeTrafficCounters(const LinkStats& stats, float rate);

// `classes` with what `stats` holds beyond their sums counted in `tariffClass`. Statistics
// below those sums belong to another connection: all of them go to `tariffClass`.
ClassShares CountInClass(ClassShares classes, const LinkStats& stats, int tariffClass);

// The connection's money as the history keeps it and the bus gives it: the cost of the
// tariff type in force, to its 2 decimals (the counters hold them only approximately).
double ConnectionMoney(const TrafficCounters& counters, int32_t tariffType);
// The connection's figures as the history keeps them.
ConnectionFigures HistoryFigures(const TrafficCounters& counters, int32_t tariffType);
