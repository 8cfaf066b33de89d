// SPDX-License-Identifier: GPL-3.0-or-later
// What a connection used while each tariff class was in force, and the prices of those classes.
#pragma once

#include <cstdint>
#include <map>

struct ClassShare {
    uint64_t received = 0;  // bytes
    uint64_t sent = 0;      // bytes
    int64_t seconds = 0;    // whole seconds online

    bool operator==(const ClassShare& other) const {
        return received == other.received && sent == other.sent && seconds == other.seconds;
    }
};

// By tariff class as the hour table gives it: a hand-edited table may hold any number.
using ClassShares = std::map<int, ClassShare>;

// The current price of each class, per MB or per hour; a class without one costs nothing.
using ClassPrices = std::map<int, float>;
