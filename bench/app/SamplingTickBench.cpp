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
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <optional>

namespace {

// A private session bus for the program and one panel listening to it.
class PrivateBus {
public:
    std::optional<QString> Start() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (!daemon_.waitForReadyRead(5000)) return std::nullopt;
        return QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon_.terminate();
        daemon_.waitForFinished();
    }

private:
    QProcess daemon_;
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
    QDBusConnection panelBus(QStringLiteral("none"));
    if (withBus) {
        const std::optional<QString> address = daemon.Start();
        if (!address) {
            state.SkipWithError("needs dbus-daemon");
            return;
        }
        programBus = QDBusConnection::connectToBus(*address, QStringLiteral("program"));
        panelBus = QDBusConnection::connectToBus(*address, QStringLiteral("panel"));
        // A panel that listens, so the bus routes every announcement somewhere.
        QDBusMessage match = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("AddMatch"));
        match << QStringLiteral("type='signal',interface='org.freedesktop.DBus.Properties'");
        panelBus.call(match);
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
        for (auto _ : state) {
            link.stats.bytesReceived += 14400;
            link.stats.connectedMs += 500;
            indicator.RunSamplingTick();
        }
        QCoreApplication::processEvents();
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("program"));
    QDBusConnection::disconnectFromBus(QStringLiteral("panel"));
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
