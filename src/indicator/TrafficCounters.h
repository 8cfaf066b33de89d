// SPDX-License-Identifier: GPL-3.0-or-later
// The one record of traffic figures and its computation from the link's statistics.
#pragma once

#include "history/HistoryTypes.h"
#include "link/LinkStats.h"

#include <cstdint>

// All zero at start and never reset; written only while a link is connected.
struct TrafficCounters {
    LinkStats Stats;   // the last statistics read from the link, copied whole
    float RecvMB = 0;  // MB of 1,048,576 bytes, 2 decimals
    float SentMB = 0;
    float TotalMB = 0;          // SentMB + RecvMB, not rounded again
    int64_t LinkBps = 0;        // bit/s as the link reports it (wider than 32 bits: 10 Gbit/s)
    int32_t OnlineSeconds = 0;  // whole seconds online
    float RecvCost = 0;         // money at the rate in force, 2 decimals
    float SentCost = 0;
    float TotalCost = 0;  // SentCost + RecvCost, not rounded again
    float TimeCost = 0;   // (rate / 60) * (OnlineSeconds / 60), 2 decimals
};

// The counters for one connected tick: the statistics priced at `rate` (per MB or per
// hour; all four costs use the same rate). Rounding halves to even.
TrafficCounters ComputeTrafficCounters(const LinkStats& stats, float rate);

// The connection's money as the history keeps it and the bus gives it: the cost of the
// tariff type in force, to its 2 decimals (the counters hold them only approximately).
double ConnectionMoney(const TrafficCounters& counters, int32_t tariffType);
// The connection's figures as the history keeps them.
ConnectionFigures HistoryFigures(const TrafficCounters& counters, int32_t tariffType);
