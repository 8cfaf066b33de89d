// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator's sampling tick of the whole program with and without its session bus
// service: the figures change at every tick, so each tick with the service announces them.
#include "FakeLink.h"
#include "FixedAddress.h"
#include "app/Application.h"
#include "app/SingleInstance.h"
#include "indicator/ui/Form4.h"
#include "link/MonotonicClock.h"
#include "shell/Clock.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <optional>

namespace {

// A private session bus for the program, and a panel in a process of its own listening
// to every announcement, so the bus delivers them as it would on a desktop.
class PrivateBus {
public:
    std::optional<QString> Start() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (!daemon_.waitForReadyRead(5000)) return std::nullopt;
        const QString address = QString::fromUtf8(daemon_.readLine()).trimmed();
        panel_.setStandardOutputFile(QProcess::nullDevice());
        panel_.start(QStringLiteral("dbus-monitor"),
                     {QStringLiteral("--address"), address,
                      QStringLiteral("type='signal',interface='org.freedesktop.DBus.Properties'")});
        if (!panel_.waitForStarted(5000)) return std::nullopt;
        return address;
    }
    ~PrivateBus() {
        for (QProcess* process : {&panel_, &daemon_}) {
            process->terminate();
            process->waitForFinished();
        }
    }

private:
    QProcess daemon_;
    QProcess panel_;
};

void Tick(benchmark::State& state, bool withBus) {
    QTemporaryDir folder;
    QTemporaryDir locks;
    QFile conf(folder.filePath(QStringLiteral("inet.conf")));
    if (!conf.open(QIODevice::WriteOnly)) std::abort();
    conf.write("[Vantoril]\r\nTransparent=255\r\nhide_start=1\r\nbudget=100\r\ncap_mb=1000\r\n");
    conf.close();

    PrivateBus daemon;
    QDBusConnection programBus(QStringLiteral("none"));
    if (withBus) {
        const std::optional<QString> address = daemon.Start();
        if (!address) {
            state.SkipWithError("needs dbus-daemon and dbus-monitor");
            return;
        }
        programBus = QDBusConnection::connectToBus(*address, QStringLiteral("program"));
    }
    const SystemClock clock;
    const SteadyClock steady;
    auto owned = std::make_unique<FakeLink>();
    FakeLink& link = *owned;
    link.connected = true;
    link.stats.bitsPerSecond = 115200;
    SingleInstance instance(locks.path(), folder.path());
    {
        Application app(ProgramFolder(folder.path()), std::move(owned), clock, steady, QLocale::c(),
                        TrayHost{true, true}, std::make_shared<FixedAddress>());
        if (!app.Start(instance, programBus)) std::abort();
        Form4& indicator = app.Indicator();
        indicator.show();  // as while connected: the window repaints its lines each tick
        for (auto _ : state) {
            link.stats.bytesReceived += 14400;
            link.stats.connectedMs += 500;
            indicator.RunSamplingTick();
            // What the tick leaves to the event loop: the repaint, the bus's writing.
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("program"));
}

void SamplingTickWithoutBus(benchmark::State& state) {
    Tick(state, false);
}
BENCHMARK(SamplingTickWithoutBus)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void SamplingTickWithBusService(benchmark::State& state) {
    Tick(state, true);
}
BENCHMARK(SamplingTickWithBusService)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
