// SPDX-License-Identifier: GPL-3.0-or-later
// The activity graph's column height.
#include "indicator/GraphState.h"

#include "core/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// The share of `capacity` in percent, divided by 3, rounded down and kept in int range.
int Column(int64_t bytes, int64_t capacity) {
    const double sample = std::floor(double(bytes) / double(capacity) * 100.0 / 3.0);
    return int(std::clamp(sample, double(std::numeric_limits<int>::min()),
                          double(std::numeric_limits<int>::max())));
}
}  // namespace

int NextGraphSample(GraphState& state, uint64_t recvBytes, uint64_t bps) {
    state.LinkBytesPerSec = int64_t(RoundHalfEven(double(bps) / 8.0));
    const int64_t difference = int64_t(recvBytes - state.PrevRecvBytes);
    if (difference < 0) state.PeakBytesPerSec = 0;  // the counter restarted: a new connection
    // The first tick of a load counts everything since the connection was made: no peak.
    if (state.HavePrev) state.PeakBytesPerSec = std::max(state.PeakBytesPerSec, difference);

    if (state.LinkBytesPerSec > 0)
        state.Sample = Column(difference, state.LinkBytesPerSec);
    else if (state.PeakBytesPerSec > 0)
        state.Sample = Column(difference, state.PeakBytesPerSec);
    else
        state.Sample = 0;
    return state.Sample;
}
