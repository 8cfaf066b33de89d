// SPDX-License-Identifier: GPL-3.0-or-later
// One run of the sampling timer.
#include "indicator/SampleTick.h"

#include "core/Clock.h"
#include "core/Logging.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "indicator/IndicatorWindowSteps.h"
#include "indicator/TrafficCounters.h"
#include "link/LinkSource.h"
#include "tariff/TariffFiles.h"

SampleTick::SampleTick(const ProgramFolder& folder, const Clock& clock, LinkSource& link,
                       Settings& settings, TrafficCounters& counters)
    : folder_(folder),
      clock_(clock),
      link_(link),
      settings_(settings),
      counters_(counters),
      settingsFile_(folder.AppFilePath(QString::fromLatin1(kSettingsFile))),
      hourTableFile_(folder.AppFilePath(QString::fromLatin1(kHourTableFile))),
      priceTableFile_(folder.AppFilePath(QString::fromLatin1(kPriceTableFile))) {}

void SampleTick::Run(IndicatorWindowSteps& window) {
    if (settingsFile_.Changed()) {
        qCDebug(lcIndicator) << "reading the settings file";
        loaded_ = LoadSettings(folder_);
    }
    settings_ = loaded_;
    window.SetWindowOpacity(settings_.Transparent);
    window.RefreshIndicator();
    window.SetWindowHeightTwips(settings_.full == 1 ? kIndicatorFullHeightTwips
                                                    : kIndicatorShortHeightTwips);
    connected_ = link_.IsLinkConnected();
    if (!connected_) return;
    const LinkStats stats = link_.GetLinkStats();
    if (stats.connection != counted_.Stats.connection) countedBefore_ = counted_;
    counters_ = ComputeTrafficCounters(stats, Rate());
    counted_ = counters_;
}

std::optional<TrafficCounters> SampleTick::CountersOf(uint64_t connection) const {
    if (connection == counted_.Stats.connection) return counted_;
    if (connection == countedBefore_.Stats.connection) return countedBefore_;
    return std::nullopt;
}

float SampleTick::Rate() {
    const int hour = clock_.Now().time().hour();
    // Both files are looked at every time, so that neither misses a change.
    const bool hoursChanged = hourTableFile_.Changed();
    const bool pricesChanged = priceTableFile_.Changed();
    if (hoursChanged || pricesChanged || hour != rateHour_) {
        rate_ = GetMoneyTar(folder_, GetDataTar(folder_, int16_t(hour)));
        qCDebug(lcIndicator) << "rate of hour" << hour << "read from the tariff files:" << rate_;
        rateHour_ = hour;
    }
    return rate_;
}
