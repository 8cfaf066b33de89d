// SPDX-License-Identifier: GPL-3.0-or-later
// Scenario files are written by hand: any bytes must parse or be refused, never crash,
// and a parsed scenario must answer at any moment.
#include "core/TextDecoding.h"
#include "link/ScenarioScript.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QString error;
    const std::optional<ScenarioScript> script = ScenarioScript::Parse(DecodeText(bytes), &error);
    if (!script) {
        if (error.isEmpty()) __builtin_trap();  // a refusal must say why
        return 0;
    }
    for (int64_t at :
         {int64_t(0), int64_t(1), int64_t(999), int64_t(123456789), INT64_MAX / 2, INT64_MAX}) {
        const ScenarioScript::Moment moment = script->At(at);
        if (moment.state != ScenarioScript::State::Connected && moment.stats.bytesReceived != 0)
            __builtin_trap();
    }
    return 0;
}
