// SPDX-License-Identifier: GPL-3.0-or-later
// The NetworkManager backend against dbusmock's NetworkManager on a private bus.
#include "MockNetworkManager.h"
#include "SteppingClock.h"
#include "TempFolder.h"
#include "link/NetworkManagerLink.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>

#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kDevice = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString kStatistics = QStringLiteral("org.freedesktop.NetworkManager.Device.Statistics");
constexpr uint kEthernet = 1, kModem = 8;

class NetworkManagerLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        mock = std::make_unique<MockNetworkManager>();
        if (!mock->Unavailable().isEmpty()) GTEST_SKIP() << mock->Unavailable().toStdString();
    }

    // A link that has had its first answers. No interface of the mock exists in this
    // folder: counters come over D-Bus.
    std::unique_ptr<NetworkManagerLink> Link(const QString& wantedId = {}) {
        auto link = std::make_unique<NetworkManagerLink>(mock->Bus(), clock, wantedId, temp.Path());
        EXPECT_TRUE(Eventually([&] { return !link->IsScanning(); }));
        return link;
    }

    QString DeviceWithStatistics(const QString& name, const QString& ipInterface, uint type,
                                 qulonglong rx, qulonglong tx) {
        const QString device = mock->AddDevice(name, ipInterface, type);
        mock->AddProperties(device, kStatistics,
                            {{"RxBytes", QVariant::fromValue(rx)},
                             {"TxBytes", QVariant::fromValue(tx)},
                             {"RefreshRateMs", QVariant::fromValue(0u)}});
        return device;
    }

    // Lets the bus deliver signals until `done` holds (or five seconds pass).
    static bool Eventually(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > 5000) return false;
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        return true;
    }

    TempFolder temp;
    SteppingClock clock;
    std::unique_ptr<MockNetworkManager> mock;
};

}  // namespace

TEST_F(NetworkManagerLinkTest, noActiveConnectionMeansNotFound) {
    auto link = Link();
    EXPECT_FALSE(link->IsLinkConnected());
    EXPECT_EQ(link->GetLinkName(), kNoLinkName);
    EXPECT_EQ(link->GetLinkStats(), LinkStats());
    link->HangUpLink(link->GetLinkStats().connection);
    EXPECT_TRUE(mock->ManagerCalls("DeactivateConnection").isEmpty());
}

TEST_F(NetworkManagerLinkTest, watchesTheRemoteAccessConnectionNotTheLan) {
    const QString lan = mock->AddDevice("eth0", "eth0");
    mock->Activate(lan, mock->AddProfile("Office LAN", "802-3-ethernet"), "0");
    const QString modem = DeviceWithStatistics("modem0", "ppp0", kModem, 700, 300);
    mock->Activate(modem, mock->AddProfile("Мобильный", "gsm"), "1");
    auto link = Link();
    EXPECT_TRUE(link->IsLinkConnected());
    EXPECT_EQ(link->GetLinkName(), QStringLiteral("Мобильный"));
    EXPECT_EQ(link->GetLinkInterface(), QStringLiteral("ppp0"));
    // A ppp interface is new with the call: its counters are the connection's own.
    const LinkStats stats = link->GetLinkStats();
    EXPECT_EQ(stats.bytesReceived, 700u);
    EXPECT_EQ(stats.bytesSent, 300u);
}

TEST_F(NetworkManagerLinkTest, ameteredDeviceOrProfileIsWatched) {
    mock->Activate(mock->AddDevice("eth0", "eth0"),
                   mock->AddProfile("Office LAN", "802-3-ethernet"), "0");
    const QString tethered = mock->AddDevice("usb0", "usb0");
    mock->AddProperties(tethered, kDevice, {{"Metered", QVariant::fromValue(3u)}});  // guess-yes
    mock->Activate(tethered, mock->AddProfile("Phone", "802-3-ethernet"), "1");
    EXPECT_EQ(Link()->GetLinkName(), QStringLiteral("Phone"));

    MockNetworkManager other;
    ASSERT_TRUE(other.Unavailable().isEmpty());
    other.Activate(other.AddDevice("eth0", "eth0"),
                   other.AddProfile("Office LAN", "802-3-ethernet"), "0");
    other.Activate(other.AddDevice("wlan0", "wlan0"),
                   other.AddProfile("Hotspot", "802-11-wireless", 1), "1");
    NetworkManagerLink link(other.Bus(), clock, {}, temp.Path());
    ASSERT_TRUE(Eventually([&] { return !link.IsScanning(); }));
    EXPECT_EQ(link.GetLinkName(), QStringLiteral("Hotspot"));
}

TEST_F(NetworkManagerLinkTest, aConnectionAskedForByNameIsWatchedWhateverItsKind) {
    mock->Activate(mock->AddDevice("eth0", "eth0"),
                   mock->AddProfile("Office LAN", "802-3-ethernet"), "0");
    mock->Activate(mock->AddDevice("modem0", "ppp0", kModem), mock->AddProfile("Mobile", "gsm"),
                   "1");
    EXPECT_EQ(Link(QStringLiteral("Office LAN"))->GetLinkName(), QStringLiteral("Office LAN"));
    EXPECT_FALSE(Link(QStringLiteral("Absent"))->IsLinkConnected());
}

TEST_F(NetworkManagerLinkTest, activatingConnectionHasANameButIsNotConnected) {
    const QString device = mock->AddDevice("modem0", "ppp0", kModem);
    const QString active = mock->Activate(device, mock->AddProfile("Mobile", "gsm"), "0", 1);
    auto link = Link();
    EXPECT_FALSE(link->IsLinkConnected());
    EXPECT_EQ(link->GetLinkName(), QStringLiteral("Mobile"));
    clock.Step(2000);  // before the periodic rescan: only the signal can tell
    mock->UpdateProperties(active, "org.freedesktop.NetworkManager.Connection.Active",
                           {{"State", QVariant::fromValue(2u)}});
    ASSERT_TRUE(Eventually([&] { return link->IsLinkConnected(); }));
    clock.Step(1500);
    EXPECT_EQ(link->GetLinkStats().connectedMs, 1500u);  // from activation, not dialling
}

TEST_F(NetworkManagerLinkTest, countersOfALongLivedInterfaceCountFromTheActivation) {
    const QString device = DeviceWithStatistics("eth1", "eth1", kEthernet, 1000, 500);
    mock->AddProperties(device, kDevice, {{"Metered", QVariant::fromValue(1u)}});
    mock->Activate(device, mock->AddProfile("Metered LAN", "802-3-ethernet"), "0");
    auto link = Link();
    ASSERT_TRUE(link->IsLinkConnected());
    EXPECT_EQ(link->GetLinkStats().bytesReceived, 0u);
    mock->UpdateProperties(device, kStatistics,
                           {{"RxBytes", QVariant::fromValue(5000000000ull)},
                            {"TxBytes", QVariant::fromValue(700ull)}});
    ASSERT_TRUE(Eventually([&] { return link->GetLinkStats().bytesReceived != 0; }));
    clock.Step(3000);
    const LinkStats stats = link->GetLinkStats();
    EXPECT_EQ(stats.bytesReceived, 5000000000u - 1000u);
    EXPECT_EQ(stats.bytesSent, 200u);
    EXPECT_EQ(stats.connectedMs, 3000u);
}

TEST_F(NetworkManagerLinkTest, countersAreReadFromTheInterfaceWhenTheKernelShowsIt) {
    temp.Write("ppp0/statistics/rx_bytes", "123456\n");
    temp.Write("ppp0/statistics/tx_bytes", "654321\n");
    mock->Activate(DeviceWithStatistics("modem0", "ppp0", kModem, 1, 1),
                   mock->AddProfile("Mobile", "gsm"), "0");
    const LinkStats stats = Link()->GetLinkStats();
    EXPECT_EQ(stats.bytesReceived, 123456u);
    EXPECT_EQ(stats.bytesSent, 654321u);
}

TEST_F(NetworkManagerLinkTest, aModemsBearerGivesSpeedAndStartOfTheCall) {
    const qulonglong minuteAgo = static_cast<qulonglong>(QDateTime::currentSecsSinceEpoch() - 60);
    const QString modem =
        mock->AddModemWithBearer({{"start-date", QVariant::fromValue(minuteAgo)},
                                  {"downlink-speed", QVariant::fromValue(7200000ull)},
                                  {"uplink-speed", QVariant::fromValue(384000ull)}});
    const QString device = DeviceWithStatistics("modem0", "ppp0", kModem, 0, 0);
    mock->AddProperties(device, kDevice, {{"Udi", modem}});
    mock->Activate(device, mock->AddProfile("Mobile", "gsm"), "0");
    const LinkStats stats = Link()->GetLinkStats();
    EXPECT_EQ(stats.bitsPerSecond, 7200000u);
    EXPECT_GE(stats.connectedMs, 59000u);
    EXPECT_LE(stats.connectedMs, 70000u);
}

TEST_F(NetworkManagerLinkTest, hangUpDeactivatesTheWatchedConnection) {
    mock->Activate(mock->AddDevice("eth0", "eth0"),
                   mock->AddProfile("Office LAN", "802-3-ethernet"), "0");
    const QString active = mock->Activate(mock->AddDevice("modem0", "ppp0", kModem),
                                          mock->AddProfile("Mobile", "gsm"), "1");
    auto link = Link();
    ASSERT_TRUE(link->IsLinkConnected());
    link->HangUpLink(link->GetLinkStats().connection);
    ASSERT_TRUE(Eventually([&] { return !link->IsLinkConnected(); }));
    EXPECT_EQ(link->GetLinkName(), kNoLinkName);  // the LAN is not watched
    const QList<QVariantList> calls = mock->ManagerCalls("DeactivateConnection");
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(qdbus_cast<QDBusObjectPath>(calls[0].value(0)).path(), active);
}

TEST_F(NetworkManagerLinkTest, aTickNeverWaitsForAnAnswer) {
    const QString device = DeviceWithStatistics("modem0", "ppp0", kModem, 700, 300);
    mock->Activate(device, mock->AddProfile("Mobile", "gsm"), "0");
    NetworkManagerLink fresh(mock->Bus(), clock, {}, temp.Path());
    EXPECT_TRUE(fresh.IsScanning());
    EXPECT_EQ(fresh.GetLinkName(), kNoLinkName) << "nothing is known before the first answer";
    auto link = Link();
    ASSERT_TRUE(link->IsLinkConnected());

    QDBusPendingCall stall = mock->Stall(2);
    for (int tick = 0; tick < 20; ++tick) {
        clock.Step(3000);  // every tick finds the last look too old and asks again
        EXPECT_TRUE(link->IsLinkConnected());
        EXPECT_EQ(link->GetLinkName(), QStringLiteral("Mobile"));
        EXPECT_EQ(link->GetLinkStats().bytesReceived, 700u);
    }
    EXPECT_TRUE(link->IsScanning());
    EXPECT_FALSE(stall.isFinished()) << "the ticks waited for NetworkManager's answers";

    stall.waitForFinished();
    mock->UpdateProperties(device, kStatistics, {{"RxBytes", QVariant::fromValue(900ull)}});
    ASSERT_TRUE(Eventually([&] { return link->GetLinkStats().bytesReceived == 900u; }));
    EXPECT_EQ(link->GetLinkName(), QStringLiteral("Mobile"));
}
