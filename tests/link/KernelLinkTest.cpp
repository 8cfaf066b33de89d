// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel backend on a made-up /sys/class/net and /run: choice, name, counters, time.
#include "SteppingClock.h"
#include "TempFolder.h"
#include "link/KernelLink.h"

#include <gtest/gtest.h>

namespace {

class KernelLinkTest : public ::testing::Test {
protected:
    KernelLinkTest() {
        paths.sysClassNet = temp.File("sys");
        paths.runFolder = temp.File("run");
        temp.Write("run/.keep", "");
    }

    // flags 0x1091: up, point-to-point, no ARP, multicast.
    void Interface(const QString& name, const char* flags = "0x1091",
                   const char* operstate = "unknown", const char* ifindex = "7") {
        temp.Write("sys/" + name + "/flags", QByteArray(flags) + "\n");
        temp.Write("sys/" + name + "/operstate", QByteArray(operstate) + "\n");
        temp.Write("sys/" + name + "/ifindex", QByteArray(ifindex) + "\n");
        Counters(name, 0, 0);
    }
    void Counters(const QString& name, uint64_t rx, uint64_t tx) {
        temp.Write("sys/" + name + "/statistics/rx_bytes",
                   QByteArray::number(qulonglong(rx)) + "\n");
        temp.Write("sys/" + name + "/statistics/tx_bytes",
                   QByteArray::number(qulonglong(tx)) + "\n");
    }

    TempFolder temp;
    KernelPaths paths;
    SteppingClock clock;
};

}  // namespace

TEST_F(KernelLinkTest, noPointToPointInterfaceMeansNoConnection) {
    Interface("eth0", "0x1003", "up");  // up and running but not point-to-point
    Interface("lo", "0x9", "unknown");
    KernelLink link(paths, clock);
    EXPECT_FALSE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkName(), kNoLinkName);
    EXPECT_EQ(link.GetLinkStats(), LinkStats());
    EXPECT_EQ(link.GetLinkInterface(), QString());
}

TEST_F(KernelLinkTest, firstUpAndRunningInterfacePreferringPpp) {
    Interface("tun0");
    Interface("wwan0");
    Interface("ppp1");
    Interface("ppp0", "0x1090");  // not up
    KernelLink link(paths, clock);
    EXPECT_TRUE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkName(), QStringLiteral("ppp1"));
    Interface("ppp1", "0x1091", "down");  // up but not running (no carrier)
    EXPECT_EQ(link.GetLinkName(), QStringLiteral("wwan0"));
}

TEST_F(KernelLinkTest, countersAreReadAsSixtyFourBitValues) {
    Interface("ppp0");
    Counters("ppp0", 6000000000u, 1234);
    KernelLink link(paths, clock);
    const LinkStats stats = link.GetLinkStats();
    EXPECT_EQ(stats.bytesReceived, 6000000000u);
    EXPECT_EQ(stats.bytesSent, 1234u);
    EXPECT_EQ(stats.bitsPerSecond, 0u);
}

TEST_F(KernelLinkTest, timeOnlineCountsFromWhenTheInterfaceWasFirstSeen) {
    KernelLink link(paths, clock);
    clock.Step(5000);
    Interface("ppp0");
    EXPECT_TRUE(link.IsLinkConnected());
    clock.Step(2500);
    EXPECT_EQ(link.GetLinkStats().connectedMs, 2500u);
}

TEST_F(KernelLinkTest, aNewConnectionOnTheSameInterfaceCountsFromZero) {
    Interface("tun0");
    Counters("tun0", 1000, 100);
    KernelLink link(paths, clock);
    EXPECT_EQ(link.GetLinkStats().bytesReceived, 1000u);  // seen mid-connection: all of it
    Interface("tun0", "0x1090");
    EXPECT_FALSE(link.IsLinkConnected());
    Interface("tun0");  // the same device (same ifindex) up again
    Counters("tun0", 1500, 300);
    clock.Step(1000);
    EXPECT_TRUE(link.IsLinkConnected());
    Counters("tun0", 1600, 350);
    const LinkStats stats = link.GetLinkStats();
    EXPECT_EQ(stats.bytesReceived, 100u);
    EXPECT_EQ(stats.bytesSent, 50u);
    EXPECT_EQ(stats.connectedMs, 0u);
}

TEST_F(KernelLinkTest, nameComesFromPppdsLinknamePidFile) {
    Interface("ppp0");
    temp.Write("run/ppp-Мой провайдер.pid", "999999\nppp0\n");
    temp.Write("run/ppp-Other.pid", "999998\nppp1\n");
    KernelLink link(paths, clock);
    EXPECT_EQ(link.GetLinkName(), QStringLiteral("Мой провайдер"));
    EXPECT_EQ(link.GetLinkInterface(), QStringLiteral("ppp0"));
}

TEST_F(KernelLinkTest, onlyTheNamedInterfaceIsWatched) {
    Interface("ppp0");
    Interface("eth1", "0x1003", "up");
    Counters("eth1", 90000, 9000);  // since the machine started
    KernelLink link(paths, clock, QStringLiteral("eth1"));
    EXPECT_EQ(link.GetLinkName(), QStringLiteral("eth1"));
    Counters("eth1", 90500, 9100);
    EXPECT_EQ(link.GetLinkStats().bytesReceived, 500u);  // counted from when it was first seen
    EXPECT_EQ(link.GetLinkStats().bytesSent, 100u);
    KernelLink missing(paths, clock, QStringLiteral("ppp9"));
    EXPECT_FALSE(missing.IsLinkConnected());
}

TEST_F(KernelLinkTest, unreadableFilesReadAsNoConnection) {
    temp.Write("sys/ppp0/flags", "garbage\n");
    temp.Write("sys/ppp1/operstate", "unknown\n");  // no flags file at all
    KernelLink link(paths, clock);
    EXPECT_FALSE(link.IsLinkConnected());
    link.HangUpLink(link.GetLinkStats().connection);  // nothing to hang up: no effect, no crash
}
