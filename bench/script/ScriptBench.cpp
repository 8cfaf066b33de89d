// SPDX-License-Identifier: GPL-3.0-or-later
// How long the script engine takes: a typical script, and maximal ones at two sizes.
#include "FixedClock.h"
#include "script/RecordingHost.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptLines.h"
#include "script/SyntaxChecker.h"

#include <benchmark/benchmark.h>

namespace {

const char* const kTypicalScript[] = {
    "; Traffic watch for a dear connection",
    "var left",
    "var speed",
    "var hour",
    "var price",
    "left = 500 - AL",
    "speed = BPS / 1000",
    "hour = hour()",
    "price = MAL * 1",
    "if (AL > 450) then message('Осталось мало трафика')",
    "if (AL > 500) then disconn()",
    "if (hour >= 23) then timer_script(60000)",
    "if (hour < 23) then timer_script(5000)",
    "if (speed < 10) then message('Медленно')",
    "if (TC > 3600) then message('Больше часа в сети')",
    "price = price + MDL",
    "left = left & speed",
    "if (MAL >= 100) then message(MAL)",
    "timer_refresh(500)",
    "message(left)",
};
constexpr int kTypicalLines = int(std::size(kTypicalScript));
constexpr int kDeclarations = 5;  // the comment and the four var lines

// The typical script's declarations once, then its ordinary statements over and over
// up to `lines` lines.
QString ScriptOfLines(int lines) {
    QStringList text;
    for (int i = 0; i < kDeclarations && i < lines; ++i)
        text.append(QString::fromUtf8(kTypicalScript[i]));
    for (int i = 0; text.size() < lines; ++i)
        text.append(
            QString::fromUtf8(kTypicalScript[kDeclarations + i % (kTypicalLines - kDeclarations)]));
    return text.join(QStringLiteral("\r\n"));
}

struct BenchHost {
    FixedClock clock{QDateTime(QDate(2026, 3, 2), QTime(22, 15, 0))};
    RecordingHost host{ScriptCounters{312.5f, 20.25f, 332.75f, 5400, 115200, 62.5f, 4.05f, 66.55f},
                       QStringLiteral("/opt/vantoril"), clock,
                       QLocale(QLocale::Russian, QLocale::Russia)};
    ScriptInterpreter engine{host};
};

void RunScript(benchmark::State& state, const QString& code) {
    BenchHost bench;
    bench.engine.SetCode(code);
    for (auto _ : state) {
        bench.engine.run();
        bench.host.ClearOperations();
    }
}

void BM_RunTypicalScript(benchmark::State& state) {
    RunScript(state, ScriptOfLines(kTypicalLines));
}

void BM_RunLongScript(benchmark::State& state) {
    RunScript(state, ScriptOfLines(int(state.range(0))));
    state.SetComplexityN(state.range(0));
}

void BM_CheckLongScript(benchmark::State& state) {
    SyntaxChecker checker;
    checker.SetCode(ScriptOfLines(int(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(checker.CheckSyntax());
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_RunTypicalScript)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RunLongScript)
    ->Arg(kMaxScriptLines / 2)
    ->Arg(kMaxScriptLines)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_CheckLongScript)
    ->Arg(kMaxScriptLines / 2)
    ->Arg(kMaxScriptLines)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();
