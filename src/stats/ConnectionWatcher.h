// SPDX-License-Identifier: GPL-3.0-or-later
// The connection watcher: notices a connection's start and end every 2 seconds, keeps the
// indicator shown while it is up and books its cost when it has ended.
#pragma once

#include "core/ProgramFolder.h"

#include <QLocale>
#include <QString>

class Clock;
struct Settings;

// What one tick of the watcher saw of the link.
struct LinkSighting {
    bool connected = false;  // IsLinkConnected
    QString name;            // GetLinkName, read while connected
    // The costs last worked out for the watched connection (Connection()), money.
    float totalCost = 0;      // TrafficCounters.TotalCost
    float timeCost = 0;       // TrafficCounters.TimeCost
    uint64_t connection = 0;  // the link's number of the connection up now
};

// What the caller does with the indicator window after a tick.
enum class IndicatorAction {
    Keep,          // leave it as it is
    EnsureLoaded,  // load it (hidden) if it had been closed; its visibility stays
    Show,          // load it if needed and show it (not modal) unless already visible
    Hide,
};

struct WatcherStep {
    IndicatorAction indicator = IndicatorAction::Keep;
    QString error;                 // when not empty: show it in the box "Vantoril Statistic Error"
    bool ended = false;            // the watched connection ended at this tick and was booked
    uint64_t endedConnection = 0;  // its number
};

class ConnectionWatcher {
public:
    ConnectionWatcher(ProgramFolder folder, const Clock& clock, QLocale locale);

    // One tick. A connection has ended when the link is down or another connection is up
    // in its place (a hang-up and a redial between two ticks, a handover); it is booked
    // exactly once, to the month of the clock at this tick, before the step is returned,
    // so ticks that run while the caller shows an error box never book it again.
    WatcherStep Tick(const LinkSighting& link, const Settings& settings);

    bool LinkUp() const { return linkUp_; }
    const QString& ConnectionName() const { return connectionName_; }
    uint64_t Connection() const { return connection_; }  // the link's number of it

private:
    QString Book(const LinkSighting& link, const Settings& settings) const;

    ProgramFolder folder_;
    const Clock& clock_;
    QLocale locale_;
    bool linkUp_ = false;     // from the first tick that sees the link up until its booking
    QString connectionName_;  // refreshed at every tick while the link is up
    uint64_t connection_ = 0;
};
