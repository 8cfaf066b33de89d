// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: one run of any file content against a host that records operations,
// then a probe run that proves the store was left empty.
#include "FixedClock.h"
#include "core/TextDecoding.h"
#include "script/RecordingHost.h"
#include "script/ScriptInterpreter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FixedClock clock(QDateTime(QDate(2026, 3, 2), QTime(9, 5, 3)));
    const ScriptCounters counters{12.5f, 3.25f, 15.75f, 3600, 115200, 1.5f, 0.25f, 1.75f};
    RecordingHost host(counters, QStringLiteral("/opt/vantoril"), clock,
                       QLocale(QLocale::Russian, QLocale::Russia));
    ScriptInterpreter engine(host);
    engine.SetCode(DecodeText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))));
    if (!engine.run()) __builtin_trap();
    // Anything a run left in the store would be found before the fresh built-ins.
    host.ClearOperations();
    engine.SetCode(QStringLiteral("message(DL)"));
    engine.run();
    if (host.Operations() != QStringList{QStringLiteral("message: 12,5")}) __builtin_trap();
    return 0;
}
