// SPDX-License-Identifier: GPL-3.0-or-later
// Turns one statistics record into megabytes, speed, seconds online and costs.
#include "indicator/TrafficCounters.h"

#include "core/Numbers.h"
#include "core/Settings.h"

namespace {

constexpr double kBytesPerMB = 1048576.0;

float MegabytesOf(uint64_t bytes) {
    return static_cast<float>(RoundHalfEven(static_cast<double>(bytes) / kBytesPerMB, 2));
}

// The product is formed and held in single precision, then scaled and rounded in double:
// scaling in single would turn 1.5 MB at 0.01 into 0.02.
float TrafficCost(float megabytes, float rate) {
    const float product = megabytes * rate;
    return static_cast<float>(RoundHalfEven(static_cast<double>(product), 2));
}

// (rate / 60) * (seconds / 60) in that order, in double: rate * seconds / 3600 differs by
// a kopeck in thousands of cases.
float TimeCost(float rate, int32_t seconds) {
    const double perMinute = static_cast<double>(rate) / 60.0;
    const double minutes = static_cast<double>(seconds) / 60.0;
    return static_cast<float>(RoundHalfEven(perMinute * minutes, 2));
}

int64_t SpeedOf(uint64_t bps) {
    constexpr uint64_t kMax = static_cast<uint64_t>(INT64_MAX);
    return static_cast<int64_t>(bps > kMax ? kMax : bps);
}

}  // namespace

TrafficCounters ComputeTrafficCounters(const LinkStats& stats, float rate) {
    TrafficCounters counters;
    counters.Stats = stats;
    counters.RecvMB = MegabytesOf(stats.bytesReceived);
    counters.SentMB = MegabytesOf(stats.bytesSent);
    counters.TotalMB = counters.SentMB + counters.RecvMB;
    counters.LinkBps = SpeedOf(stats.bitsPerSecond);
    counters.OnlineSeconds = RoundToInt32(static_cast<double>(stats.connectedMs) / 1000.0);
    counters.RecvCost = TrafficCost(counters.RecvMB, rate);
    counters.SentCost = TrafficCost(counters.SentMB, rate);
    counters.TotalCost = counters.SentCost + counters.RecvCost;
    counters.TimeCost = TimeCost(rate, counters.OnlineSeconds);
    return counters;
}

double ConnectionMoney(const TrafficCounters& counters, int32_t tariffType) {
    return RoundHalfEven(ConnectionCost(tariffType, counters.TotalCost, counters.TimeCost), 2);
}

ConnectionFigures HistoryFigures(const TrafficCounters& counters, int32_t tariffType) {
    return {{int64_t(counters.Stats.bytesReceived), int64_t(counters.Stats.bytesSent),
             ConnectionMoney(counters, tariffType)},
            counters.OnlineSeconds};
}
