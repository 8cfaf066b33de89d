// SPDX-License-Identifier: GPL-3.0-or-later
// The argument of timer_refresh and timer_script turned into milliseconds.
#pragma once

#include "script/ScriptFault.h"

#include <QStringView>

#include <optional>

constexpr int kMaxTimerInterval = 65535;  // ms; 0 stops a timer

struct IntervalOutcome {
    int milliseconds = 0;
    std::optional<ScriptFaultKind> fault;  // when set, the interval is refused
};

// The item read by the number-reading rule and rounded, halves to even: beyond the
// 32-bit range it is an overflow, outside 0 to 65535 an invalid value. A text that is
// no number reads as 0, which stops the timer.
IntervalOutcome ReadInterval(QStringView item);
