// SPDX-License-Identifier: GPL-3.0-or-later
// The link work of one sampling tick (connected?, statistics, name) for each backend.
#include "MockNetworkManager.h"
#include "SteppingClock.h"
#include "link/KernelLink.h"
#include "link/LocalAddress.h"
#include "link/MonotonicClock.h"
#include "link/NetworkManagerLink.h"
#include "link/ScenarioLink.h"

#include <QCoreApplication>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

void OneTick(benchmark::State& state, LinkSource& link, bool deliverSignals = false) {
    for (auto _ : state) {
        if (link.IsLinkConnected()) benchmark::DoNotOptimize(link.GetLinkStats());
        benchmark::DoNotOptimize(link.GetLinkName());
        // Signals reach the NetworkManager backend through the event loop between ticks.
        if (deliverSignals) QCoreApplication::processEvents();
    }
}

// Lets the bus deliver the link's first answers; true when it then sees a connection.
bool FirstAnswers(NetworkManagerLink& link) {
    for (int i = 0; i < 500 && link.IsScanning(); ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return link.IsLinkConnected();
}

// The loopback interface stands in for a point-to-point one: the same sysfs files are read.
void KernelTick(benchmark::State& state) {
    SteadyClock clock;
    KernelLink link(KernelPaths(), clock, QStringLiteral("lo"));
    if (!link.IsLinkConnected()) state.SkipWithError("the loopback interface is not up");
    OneTick(state, link);
}
BENCHMARK(KernelTick);

void ScenarioTick(benchmark::State& state) {
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("%1 connected %2 %3 115200 Demo\n")
                    .arg(i * 1000)
                    .arg(i * 5000)
                    .arg(i * 700);
    SteadyClock clock;
    ScenarioLink link(*ScenarioScript::Parse(text, nullptr), clock);
    OneTick(state, link);
}
BENCHMARK(ScenarioTick);

// counters: "sysfs" reads the interface's files (lo stands in for ppp0), "dbus" the
// device's Statistics properties.
void NetworkManagerTick(benchmark::State& state, bool sysfs) {
    MockNetworkManager mock;
    if (!mock.Unavailable().isEmpty()) {
        state.SkipWithError(mock.Unavailable().toUtf8().constData());
        return;
    }
    const QString device = mock.AddDevice("modem0", sysfs ? "lo" : "ppp0", 8);
    mock.AddProperties(device, "org.freedesktop.NetworkManager.Device.Statistics",
                       {{"RxBytes", QVariant::fromValue(1000ull)},
                        {"TxBytes", QVariant::fromValue(2000ull)},
                        {"RefreshRateMs", QVariant::fromValue(0u)}});
    mock.Activate(device, mock.AddProfile("Mobile", "gsm"), "0");
    SteadyClock clock;
    NetworkManagerLink link(
        mock.Bus(), clock, {},
        sysfs ? QStringLiteral("/sys/class/net") : QStringLiteral("/nonexistent"));
    if (!FirstAnswers(link)) state.SkipWithError("the mock's connection is not seen");
    OneTick(state, link, true);
}
BENCHMARK_CAPTURE(NetworkManagerTick, sysfs, true)->MinTime(3.0);
BENCHMARK_CAPTURE(NetworkManagerTick, dbus, false)->MinTime(3.0);

// The tick while NetworkManager answers nothing, with every tick finding the last look too
// old: it starts a look, reads what is known and returns without waiting.
void NetworkManagerTickWhileStalled(benchmark::State& state) {
    MockNetworkManager mock;
    if (!mock.Unavailable().isEmpty()) {
        state.SkipWithError(mock.Unavailable().toUtf8().constData());
        return;
    }
    const QString device = mock.AddDevice("modem0", "ppp0", 8);
    mock.Activate(device, mock.AddProfile("Mobile", "gsm"), "0");
    SteppingClock clock;
    NetworkManagerLink link(mock.Bus(), clock, {}, QStringLiteral("/nonexistent"));
    if (!FirstAnswers(link)) state.SkipWithError("the mock's connection is not seen");
    QDBusPendingCall stall = mock.Stall(30);
    for (auto _ : state) {
        clock.Step(3000);
        if (link.IsLinkConnected()) benchmark::DoNotOptimize(link.GetLinkStats());
        benchmark::DoNotOptimize(link.GetLinkName());
    }
    if (stall.isFinished()) state.SkipWithError("the stall ended before the ticks did");
}
BENCHMARK(NetworkManagerTickWhileStalled)->MinTime(3.0);

// What the indicator's refresh pays for the address line: the system's own lookups run on
// a worker thread when an address changes; the refresh looks for changes and takes the last
// answer.
void LocalAddressRefresh(benchmark::State& state) {
    SteadyClock clock;
    KernelLink link(KernelPaths(), clock, QStringLiteral("lo"));
    LocalAddress address(link, clock);
    for (auto _ : state) benchmark::DoNotOptimize(address.GetLocalIP());
}
BENCHMARK(LocalAddressRefresh)->MinTime(3.0);

// One lookup of the system's: what each lookup not made saves the worker thread.
void LocalAddressLookup(benchmark::State& state) {
    SystemAddressQueries queries;
    for (auto _ : state)
        benchmark::DoNotOptimize(LookUpLocalAddress(queries, QStringLiteral("lo")));
}
BENCHMARK(LocalAddressLookup)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
