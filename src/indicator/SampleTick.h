// SPDX-License-Identifier: GPL-3.0-or-later
// The sampling tick: settings, window refresh, then the counters from the link.
#pragma once

#include "core/FileChangeWatch.h"
#include "core/Settings.h"
#include "indicator/TrafficCounters.h"
#include "tariff/ClassShares.h"

#include <optional>

class Clock;
class IndicatorWindowSteps;
class LinkSource;
class ProgramFolder;

// Holds references only; everything it touches belongs to the caller and must outlive it.
class SampleTick {
public:
    SampleTick(const ProgramFolder& folder, const Clock& clock, LinkSource& link,
               Settings& settings, TrafficCounters& counters);

    // One tick, in this order: reload the settings (read again only when the file changed), set the
    // window's opacity, refresh the window (it shows the previous tick's counters), set its height,
    // and, while the link is connected, count what flowed since the last tick in the tariff class
    // of the current hour and price every class at its current price. While the link is down
    // every counter keeps its value.
    void Run(IndicatorWindowSteps& window);
    // Whether the last tick found the link connected.
    bool LinkConnected() const { return connected_; }
    // The counters last worked out for `connection` (a number of the link's): those of the
    // connection counted now or of the one counted before it; nothing for any other.
    std::optional<TrafficCounters> CountersOf(uint64_t connection) const;

private:
    // The tariff class of the current hour, looked up again when the hour table changed or
    // the hour turned.
    int ClassNow();
    // The prices of the classes the connection has used, looked up again when the price
    // table changed.
    ClassPrices PricesOf(const ClassShares& classes);

    const ProgramFolder& folder_;
    const Clock& clock_;
    LinkSource& link_;
    Settings& settings_;
    TrafficCounters& counters_;
    FileChangeWatch settingsFile_, hourTableFile_, priceTableFile_;
    Settings loaded_;
    int class_ = 0;
    int classHour_ = -1;
    ClassPrices prices_;
    bool connected_ = false;
    // Kept apart from the shared counters, which the graph also writes: when the link goes
    // over to another connection, the last figures of the one before are still known.
    TrafficCounters counted_, countedBefore_;
};
