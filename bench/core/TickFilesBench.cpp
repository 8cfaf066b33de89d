// SPDX-License-Identifier: GPL-3.0-or-later
// The file work of one sampling tick: the settings re-read and the rate looked up.
#include "core/Clock.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "tariff/TariffFiles.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
}

void TickFileWork(benchmark::State& state) {
    QTemporaryDir dir;
    const ProgramFolder folder(dir.path());
    WriteFile(folder.AppFilePath("inet.conf"),
              "[Vantoril]\r\nType_tar=0\r\nTransparent=230\r\nauto_show=1\r\nhide_start=1\r\n"
              "full=1\r\ni_left=12000\r\ni_top=300\r\nlink_source=auto\r\n");
    WriteFile(folder.AppFilePath("tar.dat"), QByteArray(48, '\1'));
    WriteFile(folder.AppFilePath("tar.money.dat"), QByteArray(16, '\x3f'));
    const SystemClock clock;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadSettings(folder));
        benchmark::DoNotOptimize(CurrentRate(folder, clock));
    }
}
BENCHMARK(TickFileWork)->Repetitions(10)->ReportAggregatesOnly(true);

void ClockOnly(benchmark::State& state) {
    const SystemClock clock;
    for (auto _ : state) benchmark::DoNotOptimize(clock.Now().time().hour());
}
BENCHMARK(ClockOnly);

}  // namespace

BENCHMARK_MAIN();
