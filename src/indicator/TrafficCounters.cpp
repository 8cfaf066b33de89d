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

// The product is formed and held in single precision; the sum is scaled and rounded in
// double: scaling in single would turn 1.5 MB at 0.01 into 0.02.
float TrafficProduct(uint64_t bytes, float price) {
    return MegabytesOf(bytes) * price;
}

// (price / 60) * (seconds / 60) in that order, in double: price * seconds / 3600 differs
// by a kopeck in thousands of cases.
double TimeProduct(float price, int64_t seconds) {
    const double perMinute = static_cast<double>(price) / 60.0;
    const double minutes = static_cast<double>(seconds) / 60.0;
    return perMinute * minutes;
}

float Money(double sum) {
    return static_cast<float>(RoundHalfEven(sum, 2));
}

int32_t SecondsOnline(const LinkStats& stats) {
    return RoundToInt32(static_cast<double>(stats.connectedMs) / 1000.0);
}

int64_t SpeedOf(uint64_t bps) {
    constexpr uint64_t kMax = static_cast<uint64_t>(INT64_MAX);
    return static_cast<int64_t>(bps > kMax ? kMax : bps);
}

}  // namespace

TrafficCounters ComputeTrafficCounters(const LinkStats& stats, const ClassShares& classes,
                                       const ClassPrices& prices) {
    TrafficCounters counters;
    counters.Stats = stats;
    counters.RecvMB = MegabytesOf(stats.bytesReceived);
    counters.SentMB = MegabytesOf(stats.bytesSent);
    counters.TotalMB = counters.SentMB + counters.RecvMB;
    counters.LinkBps = SpeedOf(stats.bitsPerSecond);
    counters.OnlineSeconds = SecondsOnline(stats);
    // Summed from zero in double: a single class gives its own product, bit for bit.
    double received = 0, sent = 0, time = 0;
    for (const auto& [tariffClass, share] : classes) {
        const auto price = prices.find(tariffClass);
        const float rate = price == prices.end() ? 0.0f : price->second;
        received += TrafficProduct(share.received, rate);
        sent += TrafficProduct(share.sent, rate);
        time += TimeProduct(rate, share.seconds);
    }
    counters.RecvCost = Money(received);
    counters.SentCost = Money(sent);
    counters.TotalCost = counters.SentCost + counters.RecvCost;
    counters.TimeCost = Money(time);
    counters.Classes = classes;
    return counters;
}

TrafficCounters ComputeTrafficCounters(const LinkStats& stats, float rate) {
    return ComputeTrafficCounters(stats, CountInClass({}, stats, 0), {{0, rate}});
}

ClassShares CountInClass(ClassShares classes, const LinkStats& stats, int tariffClass) {
    ClassShare counted;
    for (const auto& entry : classes) {
        counted.received += entry.second.received;
        counted.sent += entry.second.sent;
        counted.seconds += entry.second.seconds;
    }
    const int64_t seconds = SecondsOnline(stats);
    if (stats.bytesReceived < counted.received || stats.bytesSent < counted.sent ||
        seconds < counted.seconds) {
        classes.clear();
        counted = ClassShare();
    }
    ClassShare& share = classes[tariffClass];
    share.received += stats.bytesReceived - counted.received;
    share.sent += stats.bytesSent - counted.sent;
    share.seconds += seconds - counted.seconds;
    return classes;
}

double ConnectionMoney(const TrafficCounters& counters, int32_t tariffType) {
    return RoundHalfEven(ConnectionCost(tariffType, counters.TotalCost, counters.TimeCost), 2);
}

ConnectionFigures HistoryFigures(const TrafficCounters& counters, int32_t tariffType) {
    return {{int64_t(counters.Stats.bytesReceived), int64_t(counters.Stats.bytesSent),
             ConnectionMoney(counters, tariffType)},
            counters.OnlineSeconds};
}
