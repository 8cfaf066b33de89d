// The sampling tick: settings, window refresh, then the counters from the link.
#pragma once

class Clock;
class IndicatorWindowSteps;
class LinkSource;
class ProgramFolder;
struct Settings;
struct TrafficCounters;

// Holds references only; everything it touches belongs to the caller and must outlive it.
class SampleTick {
public:
    SampleTick(const ProgramFolder& folder, const Clock& clock, LinkSource& link,
               Settings& settings, TrafficCounters& counters);

    // One tick, in this order: reload the settings, set the window's opacity, refresh the
    // window (it shows the previous tick's counters), set its height, and, while the
    // link is connected, recompute the counters at the rate of the current hour.
    // While the link is down every counter keeps its value.
    void Run(IndicatorWindowSteps& window);

private:
    const ProgramFolder& folder_;
    const Clock& clock_;
    LinkSource& link_;
    Settings& settings_;
    TrafficCounters& counters_;
};
