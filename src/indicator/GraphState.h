// SPDX-License-Identifier: GPL-3.0-or-later
// The activity graph's arithmetic: how tall the next column is, from two byte counts.
#pragma once

#include "link/LinkStats.h"

#include <cstdint>

inline constexpr int kGraphWidth = 217;  // pixels, one column per graph tick
inline constexpr int kGraphHeight = 30;  // pixels: 0 to 90 percent of the link's capacity

// All zero when the indicator is loaded.
struct GraphState {
    uint64_t PrevRecvBytes = 0;   // received count at the end of the previous tick
    bool HavePrev = false;        // PrevRecvBytes was read by an earlier tick of this load
    int64_t LinkBytesPerSec = 0;  // capacity: bit/s / 8, halves to even
    int64_t PeakBytesPerSec = 0;  // most bytes seen in one tick on this connection
    int Sample = 0;               // the current column, in pixels of height
};

// The column for `recvBytes` received in total so far on a link of `bps` bit/s: the
// share of the capacity used since the previous tick, in percent divided by 3, rounded
// down. A link that reports no speed is scaled against the most seen in one tick on
// this connection instead. A count that went back (a new connection) gives an empty
// column. Updates LinkBytesPerSec, PeakBytesPerSec and Sample; not PrevRecvBytes.
int NextGraphSample(GraphState& state, uint64_t recvBytes, uint64_t bps);
