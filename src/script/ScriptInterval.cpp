// SPDX-License-Identifier: GPL-3.0-or-later
// The argument of timer_refresh and timer_script turned into milliseconds.
#include "script/ScriptInterval.h"

#include "core/Numbers.h"

#include <cmath>
#include <cstdint>

IntervalOutcome ReadInterval(QStringView item) {
    const double rounded = RoundHalfEven(ReadNumber(item));
    if (!std::isfinite(rounded) || rounded < double(INT32_MIN) || rounded > double(INT32_MAX))
        return IntervalOutcome{0, ScriptFaultKind::Overflow};
    if (rounded < 0 || rounded > kMaxTimerInterval)
        return IntervalOutcome{0, ScriptFaultKind::InvalidPropertyValue};
    return IntervalOutcome{int(rounded), std::nullopt};
}
