// SPDX-License-Identifier: GPL-3.0-or-later
// The connection watcher's decisions, free of windows and timers.
#include "ConnectionWatcher.h"

#include "core/Clock.h"
#include "core/Logging.h"
#include "core/Settings.h"
#include "stats/AddStatistic.h"
#include "stats/ConnectionFileName.h"

ConnectionWatcher::ConnectionWatcher(ProgramFolder folder, const Clock& clock, QLocale locale)
    : folder_(std::move(folder)), clock_(clock), locale_(std::move(locale)) {}

WatcherStep ConnectionWatcher::Tick(const LinkSighting& link, const Settings& settings) {
    const bool autoShow = settings.auto_show == 1;
    WatcherStep step;
    if (linkUp_ && (!link.connected || link.connection != connection_)) {
        // Cleared before booking: whatever happens next, this connection is done.
        linkUp_ = false;
        if (autoShow && !link.connected) step.indicator = IndicatorAction::Hide;
        step.ended = true;
        step.endedConnection = connection_;
        step.error = Book(link, settings);
    }
    if (link.connected) {
        connectionName_ = link.name;
        connection_ = link.connection;
        linkUp_ = true;
        step.indicator = autoShow ? IndicatorAction::Show : IndicatorAction::EnsureLoaded;
    }
    return step;
}

QString ConnectionWatcher::Book(const LinkSighting& link, const Settings& settings) const {
    const float amount = ConnectionCost(settings.Type_tar, link.totalCost, link.timeCost);
    const QString file = folder_.AppFilePath(QLatin1String(kConnectionsFolder) + u'/' +
                                             ConnectionFileName(connectionName_));
    qCDebug(lcStats) << "booking" << amount << "for" << connectionName_ << "in" << file;
    return AddStatistic(StatisticMonthKey(clock_.Now().date()), amount, file, locale_);
}
