// SPDX-License-Identifier: GPL-3.0-or-later
// The plan's included volume as the period's traffic uses it up, in time order.
#pragma once

#include "history/HistoryTypes.h"

// Each step of traffic takes what is left of the volume; the money of the megabytes it
// takes is covered by the plan's fee. A step that crosses the end of the volume is covered
// in the share of its megabytes that fit, at that step's own money per megabyte.
struct IncludedVolume {
    double mbLeft = 0;   // MB of the volume not yet used
    double covered = 0;  // money of the traffic within the volume

    static IncludedVolume Of(double includedMb) { return {includedMb > 0 ? includedMb : 0, 0}; }
    void Take(const Usage& step);
};
