// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in variables of a run: the counters in the order a run defines them, each
// with the field of ScriptCounters it shows, and the program folder after them.
#pragma once

#include "script/ScriptHost.h"

#include <QStringView>

#include <cstdint>

struct BuiltInCounter {
    QStringView name;
    float ScriptCounters::*fractional;  // written in the locale's number format, or null
    int32_t ScriptCounters::*whole;     // written as digits, or null
};

inline constexpr BuiltInCounter kBuiltInCounters[] = {
    {u"DL", &ScriptCounters::DL, nullptr},     {u"UL", &ScriptCounters::UL, nullptr},
    {u"AL", &ScriptCounters::AL, nullptr},     {u"TC", nullptr, &ScriptCounters::TC},
    {u"BPS", nullptr, &ScriptCounters::BPS},   {u"MDL", &ScriptCounters::MDL, nullptr},
    {u"MUL", &ScriptCounters::MUL, nullptr},   {u"MAL", &ScriptCounters::MAL, nullptr},
    {u"CAL", &ScriptCounters::CAL, nullptr},   {u"CMAL", &ScriptCounters::CMAL, nullptr},
    {u"BILL", &ScriptCounters::BILL, nullptr},
};

// The program folder, always ending in "/".
inline constexpr QStringView kAppPathName = u"AppPath";
