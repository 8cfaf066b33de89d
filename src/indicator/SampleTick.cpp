// One run of the sampling timer.
#include "indicator/SampleTick.h"

#include "indicator/IndicatorWindowSteps.h"
#include "indicator/TrafficCounters.h"
#include "link/LinkSource.h"
#include "shell/Settings.h"
#include "tariff/TariffFiles.h"

SampleTick::SampleTick(const ProgramFolder& folder, const Clock& clock, LinkSource& link,
                       Settings& settings, TrafficCounters& counters)
    : folder_(folder), clock_(clock), link_(link), settings_(settings), counters_(counters) {}

void SampleTick::Run(IndicatorWindowSteps& window) {
    settings_ = LoadSettings(folder_);
    window.SetWindowOpacity(settings_.Transparent);
    window.RefreshIndicator();
    window.SetWindowHeightTwips(settings_.full == 1 ? kIndicatorFullHeightTwips
                                                    : kIndicatorShortHeightTwips);
    if (!link_.IsLinkConnected()) return;
    const LinkStats stats = link_.GetLinkStats();
    counters_ = ComputeTrafficCounters(stats, CurrentRate(folder_, clock_));
}
