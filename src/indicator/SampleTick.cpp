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
    // Another connection of the link starts its shares afresh, whatever its counters say.
    const bool another =
        counted_.Stats.connection != 0 && stats.connection != counted_.Stats.connection;
    if (stats.connection != counted_.Stats.connection) countedBefore_ = counted_;
    const ClassShares classes =
        CountInClass(another ? ClassShares() : counters_.Classes, stats, ClassNow());
    counters_ = ComputeTrafficCounters(stats, classes, PricesOf(classes));
    counted_ = counters_;
}

std::optional<TrafficCounters> SampleTick::CountersOf(uint64_t connection) const {
    if (connection == counted_.Stats.connection) return counted_;
    if (connection == countedBefore_.Stats.connection) return countedBefore_;
    return std::nullopt;
}

int SampleTick::ClassNow() {
    const int hour = clock_.Hour();
    if (hourTableFile_.Changed() || hour != classHour_) {
        class_ = GetDataTar(folder_, int16_t(hour));
        qCDebug(lcIndicator) << "class of hour" << hour << "read from the hour table:" << class_;
        classHour_ = hour;
    }
    return class_;
}

ClassPrices SampleTick::PricesOf(const ClassShares& classes) {
    if (priceTableFile_.Changed()) prices_.clear();
    for (const auto& entry : classes) {
        const int tariffClass = entry.first;
        if (prices_.count(tariffClass)) continue;
        prices_[tariffClass] = GetMoneyTar(folder_, int16_t(tariffClass));
        qCDebug(lcIndicator) << "price of class" << tariffClass
                             << "read from the price table:" << prices_[tariffClass];
    }
    return prices_;
}
