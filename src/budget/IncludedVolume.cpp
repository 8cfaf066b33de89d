// SPDX-License-Identifier: GPL-3.0-or-later
// Using up the included volume step by step.
#include "budget/IncludedVolume.h"

#include "budget/BillingPeriod.h"

#include <algorithm>

void IncludedVolume::Take(const Usage& step) {
    if (mbLeft <= 0) return;
    const double mb = Megabytes(step);
    if (mb <= 0) {
        // Money without traffic (a price changed) re-prices traffic that is all covered.
        covered += step.cost;
        return;
    }
    const double taken = std::min(mb, mbLeft);
    covered += step.cost * (taken / mb);
    mbLeft -= taken;
}
