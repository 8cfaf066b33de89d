// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator's sampling tick of the whole program without a session bus, with its bus
// service that nobody has read, and with a panel following the figures: they change at
// every tick, so then each tick announces them. CPU is the whole process's, every thread.
#include "FakeLink.h"
#include "FixedAddress.h"
#include "app/Application.h"
#include "app/SingleInstance.h"
#include "core/Clock.h"
#include "indicator/ui/IndicatorWindow.h"
#include "link/MonotonicClock.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>
#include <optional>

namespace {

enum class Bus { None, Unread, Panel };

// A private session bus for the program, and a panel in a process of its own that reads
// the figures and follows their announcements, as a Waybar module would.
class PrivateBus {
public:
    std::optional<QString> Start() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (!daemon_.waitForReadyRead(5000)) return std::nullopt;
        return QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    // True once the panel has printed its first line: it has read the figures.
    bool StartPanel(const QString& address, const QString& output) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        panel_.setProcessEnvironment(environment);
        panel_.setStandardOutputFile(output);
        panel_.start(
            QStringLiteral(VANTORIL_STATUS),
            {QStringLiteral("--format"), QStringLiteral("json"), QStringLiteral("--follow")});
        QFileInfo printed(output);
        for (int waited = 0; waited < 5000; waited += 10) {
            QCoreApplication::processEvents();
            printed.refresh();
            if (printed.size() > 0) return true;
            QThread::msleep(10);
        }
        return false;
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

void Tick(benchmark::State& state, Bus bus) {
    QTemporaryDir folder;
    QTemporaryDir locks;
    QFile conf(folder.filePath(QStringLiteral("inet.conf")));
    if (!conf.open(QIODevice::WriteOnly)) std::abort();
    conf.write("[Vantoril]\r\nTransparent=255\r\nhide_start=1\r\nbudget=100\r\ncap_mb=1000\r\n");
    conf.close();

    PrivateBus daemon;
    QDBusConnection programBus(QStringLiteral("none"));
    std::optional<QString> address;
    if (bus != Bus::None) {
        address = daemon.Start();
        if (!address) {
            state.SkipWithError("needs dbus-daemon");
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
        if (bus == Bus::Panel &&
            !daemon.StartPanel(*address, folder.filePath(QStringLiteral("panel.txt")))) {
            state.SkipWithError("the panel (vantoril-status --follow) read nothing");
            return;
        }
        IndicatorWindow& indicator = app.Indicator();
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

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::pair<const char*, Bus> kinds[] = {
        {"SamplingTickWithoutBus", Bus::None},
        {"SamplingTickWithBusServiceUnread", Bus::Unread},
        {"SamplingTickWithBusServiceAndPanel", Bus::Panel}};
    for (const auto& [name, bus] : kinds)
        benchmark::RegisterBenchmark(name, Tick, bus)
            ->Unit(benchmark::kMicrosecond)
            ->MeasureProcessCPUTime()
            ->Repetitions(5);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
