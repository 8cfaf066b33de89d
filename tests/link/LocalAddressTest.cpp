// SPDX-License-Identifier: GPL-3.0-or-later
// The local address: its text form, the loopback rule, failures announced once, no waiting,
// and when it is looked up again.
#include "FakeAddressWatch.h"
#include "SteppingClock.h"
#include "link/LinkSource.h"
#include "link/LocalAddress.h"
#include "link/WorkerThread.h"

#include <QElapsedTimer>
#include <QMap>
#include <QThread>

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <thread>

namespace {

constexpr IPv4 Address(unsigned a, unsigned b, unsigned c, unsigned d) {
    return a << 24 | b << 16 | c << 8 | d;
}

// Host name, resolver and interfaces as the test sets them.
class FakeQueries : public AddressQueries {
public:
    std::optional<QString> HostName(int* error) override {
        ++lookups;
        if (hostNameError) *error = hostNameError;
        return hostNameError ? std::nullopt : std::optional<QString>(QStringLiteral("workstation"));
    }
    std::optional<std::vector<IPv4>> ResolveHost(const QString&) override { return resolved; }
    std::vector<IPv4> InterfaceAddresses(const QString& name) override {
        return interfaces.value(name);
    }

    std::atomic<int> lookups{0};
    int hostNameError = 0;
    std::optional<std::vector<IPv4>> resolved = std::vector<IPv4>{Address(10, 0, 0, 5)};
    QMap<QString, std::vector<IPv4>> interfaces;  // "" holds every interface of the machine
};

const QString kUnresolved =
    QStringLiteral("Windows Sockets are not responding. Unable to successfully get Host Name.");

// A link that is connected over ppp0, for the fall-back to the link's own address.
class PppLink final : public LinkSource {
public:
    bool IsLinkConnected() override { return true; }
    LinkStats GetLinkStats() override { return {}; }
    QString GetLinkName() override { return QStringLiteral("ISP"); }
    void EndConnection() override {}
    QString GetLinkInterface() override { return interface; }

    QString interface = QStringLiteral("ppp0");
};

void InPlace(std::function<void()> lookup) {
    lookup();
}

std::unique_ptr<AddressChangeWatch> Unwatched() {
    return std::make_unique<FakeAddressWatch>(false);
}

}  // namespace

TEST(IPv4Text, bytesAreWrittenWithoutLeadingZeros) {
    EXPECT_EQ(IPv4Text(Address(10, 0, 0, 5)), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(IPv4Text(Address(192, 168, 100, 200)), QStringLiteral("192.168.100.200"));
    EXPECT_EQ(IPv4Text(Address(255, 255, 255, 255)), QStringLiteral("255.255.255.255"));
    EXPECT_EQ(IPv4Text(0), QStringLiteral("0.0.0.0"));
}

TEST(LookUpLocalAddress, firstAddressOfTheHostNameSkippingLoopback) {
    FakeQueries queries;
    queries.resolved =
        std::vector<IPv4>{Address(127, 0, 1, 1), Address(192, 168, 0, 7), Address(10, 0, 0, 5)};
    queries.interfaces[{}] = {Address(172, 16, 0, 1)};
    const AddressLookup lookup = LookUpLocalAddress(queries, {});
    EXPECT_EQ(lookup.address, QStringLiteral("192.168.0.7"));
    EXPECT_EQ(lookup.failure, QString());
}

TEST(LookUpLocalAddress, onlyLoopbackFallsBackToTheLinkThenTheMachine) {
    FakeQueries queries;
    queries.resolved = std::vector<IPv4>{Address(127, 0, 1, 1)};
    queries.interfaces[{}] = {Address(127, 0, 0, 1), Address(192, 168, 1, 10),
                              Address(100, 64, 3, 4)};
    queries.interfaces["ppp0"] = {Address(100, 64, 3, 4)};
    EXPECT_EQ(LookUpLocalAddress(queries, "ppp0").address, QStringLiteral("100.64.3.4"));
    EXPECT_EQ(LookUpLocalAddress(queries, {}).address, QStringLiteral("192.168.1.10"));
    queries.interfaces.clear();
    const AddressLookup nothing = LookUpLocalAddress(queries, "ppp0");
    EXPECT_EQ(nothing.address, QString());
    EXPECT_EQ(nothing.failure, QString());  // an offline machine is not a failure
}

TEST(LookUpLocalAddress, failuresKeepTheirMessages) {
    FakeQueries queries;
    queries.hostNameError = 11;
    EXPECT_EQ(LookUpLocalAddress(queries, {}).failure,
              QStringLiteral(
                  "Windows Sockets error  11 has occurred. Unable to successfully get Host Name."));
    queries.hostNameError = 0;
    queries.resolved.reset();
    const AddressLookup lookup = LookUpLocalAddress(queries, {});
    EXPECT_EQ(lookup.address, QString());
    EXPECT_EQ(lookup.failure, kUnresolved);
    queries.interfaces[{}] = {Address(192, 168, 1, 10)};
    EXPECT_EQ(LookUpLocalAddress(queries, {}), (AddressLookup{QStringLiteral("192.168.1.10"), {}}));
}

TEST(LocalAddress, aFailureIsAnnouncedOnceUntilAnAddressIsFoundAgain) {
    auto queries = std::make_shared<FakeQueries>();
    queries->resolved.reset();
    PppLink link;
    SteppingClock clock;
    auto watch = std::make_unique<FakeAddressWatch>();
    FakeAddressWatch& notices = *watch;
    LocalAddress address(link, clock, queries, InPlace, std::move(watch));
    EXPECT_EQ(address.GetLocalIP(), QString());
    EXPECT_EQ(address.TakeFailureMessage(), kUnresolved);
    for (int i = 0; i < 5; ++i) {
        clock.Step(2000);
        EXPECT_EQ(address.GetLocalIP(), QString());
        EXPECT_EQ(address.TakeFailureMessage(), std::nullopt);
    }
    EXPECT_EQ(queries->lookups, 6);

    queries->resolved = std::vector<IPv4>{Address(10, 0, 0, 5)};
    clock.Step(2000);
    EXPECT_EQ(address.GetLocalIP(), QStringLiteral("10.0.0.5"));
    queries->resolved.reset();
    notices.changed = true;
    EXPECT_EQ(address.GetLocalIP(), QString());
    EXPECT_EQ(address.TakeFailureMessage(), kUnresolved);
}

TEST(LocalAddress, withoutChangeNoticesLooksUpAgainEveryTwoSeconds) {
    auto queries = std::make_shared<FakeQueries>();
    PppLink link;
    SteppingClock clock;
    LocalAddress address(link, clock, queries, InPlace, Unwatched());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(address.GetLocalIP(), QStringLiteral("10.0.0.5"));
        clock.Step(500);
    }
    EXPECT_EQ(queries->lookups, 1);
    queries->resolved = std::vector<IPv4>{Address(10, 0, 0, 6)};  // a new call, a new address
    EXPECT_EQ(address.GetLocalIP(), QStringLiteral("10.0.0.6"));
    EXPECT_EQ(queries->lookups, 2);
}

TEST(LocalAddress, whileWatchedLooksUpAgainAfterAChangeNoticeOrAMinute) {
    auto queries = std::make_shared<FakeQueries>();
    PppLink link;
    SteppingClock clock;
    auto watch = std::make_unique<FakeAddressWatch>();
    FakeAddressWatch& notices = *watch;
    LocalAddress address(link, clock, queries, InPlace, std::move(watch));
    for (int tick = 0; tick < 100; ++tick) {  // 50 s of sampling ticks without a notice
        address.GetLocalIP();
        clock.Step(500);
    }
    EXPECT_EQ(queries->lookups, 1);

    queries->resolved = std::vector<IPv4>{Address(10, 0, 0, 6)};
    notices.changed = true;
    EXPECT_EQ(address.GetLocalIP(), QStringLiteral("10.0.0.6"));
    EXPECT_EQ(address.GetLocalIP(), QStringLiteral("10.0.0.6"));
    EXPECT_EQ(queries->lookups, 2);

    // What no notice tells (a name server's new answer) shows within a minute.
    queries->resolved = std::vector<IPv4>{Address(10, 0, 0, 7)};
    clock.Step(59999);
    EXPECT_EQ(address.GetLocalIP(), QStringLiteral("10.0.0.6"));
    clock.Step(1);
    EXPECT_EQ(address.GetLocalIP(), QStringLiteral("10.0.0.7"));
    EXPECT_EQ(queries->lookups, 3);
}

TEST(LocalAddress, aNewLinkInterfaceIsLookedUpAtTheNextCall) {
    auto queries = std::make_shared<FakeQueries>();
    queries->resolved = std::vector<IPv4>{Address(127, 0, 1, 1)};  // the link's address decides
    queries->interfaces["ppp0"] = {Address(100, 64, 3, 4)};
    queries->interfaces["ppp1"] = {Address(100, 64, 9, 9)};
    PppLink link;
    link.interface.clear();  // not connected yet
    SteppingClock clock;
    LocalAddress address(link, clock, queries, InPlace, std::make_unique<FakeAddressWatch>());
    EXPECT_EQ(address.GetLocalIP(), QString());
    link.interface = QStringLiteral("ppp0");
    clock.Step(500);
    EXPECT_EQ(address.GetLocalIP(), QStringLiteral("100.64.3.4"));
    link.interface = QStringLiteral("ppp1");
    clock.Step(500);
    EXPECT_EQ(address.GetLocalIP(), QStringLiteral("100.64.9.9"));
    link.interface.clear();  // hung up
    clock.Step(500);
    EXPECT_EQ(address.GetLocalIP(), QString());
    clock.Step(500);
    address.GetLocalIP();
    EXPECT_EQ(queries->lookups, 4);
}

TEST(LocalAddress, aChangeNoticedWhileALookupRunsStartsAnotherAfterIt) {
    auto queries = std::make_shared<FakeQueries>();
    PppLink link;
    SteppingClock clock;
    std::vector<std::function<void()>> started;
    auto watch = std::make_unique<FakeAddressWatch>();
    FakeAddressWatch& notices = *watch;
    LocalAddress address(
        link, clock, queries,
        [&started](std::function<void()> lookup) { started.push_back(std::move(lookup)); },
        std::move(watch));
    EXPECT_EQ(address.GetLocalIP(), QString());
    notices.changed = true;  // perhaps too late for the lookup under way
    clock.Step(500);
    EXPECT_EQ(address.GetLocalIP(), QString());
    ASSERT_EQ(started.size(), 1u);  // one lookup at a time

    started.front()();
    clock.Step(500);
    EXPECT_EQ(address.GetLocalIP(), QStringLiteral("10.0.0.5"));
    EXPECT_EQ(started.size(), 2u);
}

// A resolver that hangs until the test lets it go.
class HangingQueries final : public FakeQueries {
public:
    std::optional<std::vector<IPv4>> ResolveHost(const QString& host) override {
        release.wait();
        return FakeQueries::ResolveHost(host);
    }
    std::promise<void> go;
    std::shared_future<void> release = go.get_future().share();
};

TEST(LocalAddress, aHangingResolverDoesNotHoldTheCaller) {
    auto queries = std::make_shared<HangingQueries>();
    PppLink link;
    SteppingClock clock;
    // on a worker thread, as in the program
    LocalAddress address(link, clock, queries, nullptr, Unwatched());
    EXPECT_EQ(address.GetLocalIP(), QString());  // returned although the resolver hangs
    EXPECT_EQ(address.GetLocalIP(), QString());
    queries->go.set_value();
    QElapsedTimer timer;
    timer.start();
    QString shown;
    while ((shown = address.GetLocalIP()).isEmpty() && timer.elapsed() < 5000) QThread::msleep(5);
    EXPECT_EQ(shown, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(queries->lookups, 1);
}

// Records the thread of every lookup.
class ThreadRecordingQueries final : public FakeQueries {
public:
    std::optional<QString> HostName(int* error) override {
        const std::lock_guard<std::mutex> lock(mutex);
        threads.insert(std::this_thread::get_id());
        return FakeQueries::HostName(error);
    }
    std::mutex mutex;
    std::set<std::thread::id> threads;
};

TEST(LocalAddress, everyLookupRunsOnTheSameWorkerThread) {
    auto queries = std::make_shared<ThreadRecordingQueries>();
    PppLink link;
    SteppingClock clock;
    LocalAddress address(link, clock, queries, nullptr, Unwatched());
    for (int lookup = 1; lookup <= 5; ++lookup) {
        QElapsedTimer timer;
        timer.start();
        while (queries->lookups < lookup && timer.elapsed() < 5000) {
            address.GetLocalIP();
            QThread::msleep(1);
        }
        clock.Step(2000);
    }
    ASSERT_EQ(queries->lookups, 5);
    const std::lock_guard<std::mutex> lock(queries->mutex);
    EXPECT_EQ(queries->threads.size(), 1u);
    EXPECT_EQ(queries->threads.count(std::this_thread::get_id()), 0u);
}

TEST(WorkerThread, runsJobsInOrderAndLetsAHangingJobGo) {
    std::promise<void> go;
    std::shared_future<void> release = go.get_future().share();
    auto order = std::make_shared<std::vector<int>>();
    std::promise<void> secondDone, hanging;
    {
        WorkerThread worker;
        worker.Post([order] { order->push_back(1); });
        worker.Post([order, &secondDone] {
            order->push_back(2);
            secondDone.set_value();
        });
        secondDone.get_future().wait();
        worker.Post([release, &hanging] {
            hanging.set_value();
            release.wait();  // until the end of the test
        });
        worker.Post([order] { order->push_back(3); });
        hanging.get_future().wait();
    }  // returns at once although a job hangs; the last one is dropped
    go.set_value();
    QThread::msleep(50);
    EXPECT_EQ(*order, (std::vector<int>{1, 2}));
}

TEST(SystemAddressQueries, answersWithoutFailingOnThisMachine) {
    SystemAddressQueries queries;
    int error = 0;
    const std::optional<QString> host = queries.HostName(&error);
    ASSERT_TRUE(host) << "gethostname failed with " << error;
    EXPECT_FALSE(host->isEmpty());
    const std::vector<IPv4> loopback = queries.InterfaceAddresses(QStringLiteral("lo"));
    ASSERT_FALSE(loopback.empty()) << "the loopback interface has no IPv4 address here";
    EXPECT_TRUE(IsLoopback(loopback.front()));
    const auto resolved = queries.ResolveHost(QStringLiteral("localhost"));
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->front(), Address(127, 0, 0, 1));
}
