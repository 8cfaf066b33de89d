// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in variables of a run: the counters in the order a run defines them, each
// with the field of ScriptCounters it shows, and the program folder after them.
#pragma once

#include "script/ScriptHost.h"

#include <QStringView>

#include <cstdint>

// The language's own built-ins come first and keep their place in the store: a script's
// "var DL" makes a second DL that reads never see. The ones this program added later are
// names a script may already use for itself: a script that declares one gets its own
// variable, and the built-in is left out of its runs.
enum class BuiltInOrigin { Language, Added };

struct BuiltInCounter {
    QStringView name;
    float ScriptCounters::*fractional;  // written in the locale's number format, or null
    int32_t ScriptCounters::*whole;     // written as digits, or null
    BuiltInOrigin origin;
};

inline constexpr BuiltInOrigin kLanguage = BuiltInOrigin::Language;
inline constexpr BuiltInOrigin kAdded = BuiltInOrigin::Added;
inline constexpr BuiltInCounter kBuiltInCounters[] = {
    {u"DL", &ScriptCounters::DL, nullptr, kLanguage},
    {u"UL", &ScriptCounters::UL, nullptr, kLanguage},
    {u"AL", &ScriptCounters::AL, nullptr, kLanguage},
    {u"TC", nullptr, &ScriptCounters::TC, kLanguage},
    {u"BPS", nullptr, &ScriptCounters::BPS, kLanguage},
    {u"MDL", &ScriptCounters::MDL, nullptr, kLanguage},
    {u"MUL", &ScriptCounters::MUL, nullptr, kLanguage},
    {u"MAL", &ScriptCounters::MAL, nullptr, kLanguage},
    {u"CAL", &ScriptCounters::CAL, nullptr, kAdded},
    {u"CMAL", &ScriptCounters::CMAL, nullptr, kAdded},
    {u"BILL", &ScriptCounters::BILL, nullptr, kAdded},
    {u"BAL", &ScriptCounters::BAL, nullptr, kAdded},
    {u"ROAM", nullptr, &ScriptCounters::ROAM, kAdded},
};

// The program folder, always ending in "/".
inline constexpr QStringView kAppPathName = u"AppPath";

// True for a built-in this program added, which a script's own "var NAME" replaces.
inline bool IsAddedBuiltIn(QStringView name) {
    for (const BuiltInCounter& counter : kBuiltInCounters)
        if (counter.name == name) return counter.origin == BuiltInOrigin::Added;
    return false;
}
