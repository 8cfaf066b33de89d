// SPDX-License-Identifier: GPL-3.0-or-later
// The counter arithmetic: megabytes, seconds and costs with halves rounded to even.
#include "indicator/TrafficCounters.h"

#include <gtest/gtest.h>

namespace {

LinkStats Received(uint64_t bytes) {
    LinkStats stats;
    stats.bytesReceived = bytes;
    return stats;
}

LinkStats Online(uint64_t milliseconds) {
    LinkStats stats;
    stats.connectedMs = milliseconds;
    return stats;
}

}  // namespace

TEST(ComputeTrafficCounters, megabytesAreRoundedToTwoDecimals) {
    EXPECT_EQ(ComputeTrafficCounters(Received(1572864), 0).RecvMB, 1.5f);
    EXPECT_EQ(ComputeTrafficCounters(Received(10485), 0).RecvMB, 0.01f);
    EXPECT_EQ(ComputeTrafficCounters(Received(5242), 0).RecvMB, 0.0f);
}

TEST(ComputeTrafficCounters, exactHalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(ComputeTrafficCounters(Received(131072), 0).RecvMB, 0.12f);  // 0.125 MB
    EXPECT_EQ(ComputeTrafficCounters(Received(393216), 0).RecvMB, 0.38f);  // 0.375 MB
    EXPECT_EQ(ComputeTrafficCounters(Online(2500), 0).OnlineSeconds, 2);
    EXPECT_EQ(ComputeTrafficCounters(Online(3500), 0).OnlineSeconds, 4);
}

TEST(ComputeTrafficCounters, largeCountsStayPositiveAndGoPastFourGigabytes) {
    EXPECT_EQ(ComputeTrafficCounters(Received(3221225472u), 0).RecvMB, 3072.0f);
    LinkStats stats;
    stats.bytesSent = 5368709120u;  // 5 GiB: wraps in 32 bits
    EXPECT_EQ(ComputeTrafficCounters(stats, 0).SentMB, 5120.0f);
}

TEST(ComputeTrafficCounters, totalIsTheSumOfTheRoundedFigures) {
    LinkStats stats;
    stats.bytesReceived = 131072;  // 0.125 -> 0.12
    stats.bytesSent = 131072;
    const TrafficCounters counters = ComputeTrafficCounters(stats, 1);
    EXPECT_EQ(counters.TotalMB, 0.12f + 0.12f);
    EXPECT_EQ(counters.TotalCost, counters.RecvCost + counters.SentCost);
    EXPECT_EQ(counters.TotalCost, 0.12f + 0.12f);
}

TEST(ComputeTrafficCounters, trafficCostIsMegabytesTimesRate) {
    LinkStats stats = Received(1572864);
    stats.bytesSent = 1048576;
    const TrafficCounters counters = ComputeTrafficCounters(stats, 2);
    EXPECT_EQ(counters.RecvCost, 3.0f);
    EXPECT_EQ(counters.SentCost, 2.0f);
    EXPECT_EQ(counters.TotalCost, 5.0f);
}

TEST(ComputeTrafficCounters, singleProductIsScaledInDoubleNotSingle) {
    // 1.5 * 0.01 held as a single is just below 0.015: it must round down.
    EXPECT_EQ(ComputeTrafficCounters(Received(1572864), 0.01f).RecvCost, 0.01f);
}

TEST(ComputeTrafficCounters, timeCostIsRatePerMinuteTimesMinutes) {
    EXPECT_EQ(ComputeTrafficCounters(Online(90000), 30).TimeCost, 0.75f);
    // rate * seconds / 3600 would give 0.55 here.
    EXPECT_EQ(ComputeTrafficCounters(Online(872000), 2.25f).TimeCost, 0.54f);
}

TEST(ComputeTrafficCounters, speedIsCopiedEvenBeyondThirtyTwoBits) {
    LinkStats stats;
    stats.bitsPerSecond = 10000000000u;  // 10 Gbit/s
    const TrafficCounters counters = ComputeTrafficCounters(stats, 0);
    EXPECT_EQ(counters.LinkBps, 10000000000);
    EXPECT_EQ(counters.Stats, stats);
}

TEST(ComputeTrafficCounters, zeroRateLeavesEveryCostAtZero) {
    LinkStats stats = Received(1572864);
    stats.connectedMs = 3600000;
    const TrafficCounters counters = ComputeTrafficCounters(stats, 0);
    EXPECT_EQ(counters.RecvMB, 1.5f);
    EXPECT_EQ(counters.OnlineSeconds, 3600);
    EXPECT_EQ(counters.TotalCost, 0.0f);
    EXPECT_EQ(counters.TimeCost, 0.0f);
}
