// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the history of the connection the program meters: a row when it is seen, a
// sample a minute, its end; the period's totals with the running connection; the alerts.
#pragma once

#include "budget/BillingPeriod.h"
#include "history/HistoryStore.h"

#include <QLocale>
#include <QSet>
#include <QStringList>

#include <optional>

class Clock;

inline constexpr int kHistorySampleSeconds = 60;
inline constexpr int kSamplesPerCheckpoint = 60;  // the log is copied into the file hourly

// What one tick of the connection watcher saw, in the history's terms.
struct HistorySighting {
    bool connected = false;
    QString name;
    QString linkSource;
    ConnectionFigures figures;  // the counters; frozen at their last values once it is down
    int tariffType = 0;         // Type_tar: which cost is the connection's
    bool booked = false;        // on the tick that sees the end: its cost went into the books
    // While connected: the last figures of a connection that ended since the last tick and
    // was booked, another one being up in its place.
    std::optional<ConnectionFigures> handedOver;
};

// Holds references only: the store and the clock must outlive it. Never blocks for long:
// a tick writes at most one short transaction.
class HistoryRecorder {
public:
    HistoryRecorder(HistoryStore& store, const Clock& clock, QLocale locale);

    // Opens the store. What the user should be told (once): a problem, a damaged file
    // moved aside.
    QStringList Start();

    // One watcher tick. On the first one, rows left open by an earlier run are taken up
    // again (the same connection is still up) or closed at their last sample as cut short.
    // Gives what the user should be told now: a problem, said once, and the alerts due.
    QStringList Tick(const HistorySighting& sighting, const PeriodLimits& limits);

    // The current period's report, the running connection's latest figures included.
    PeriodReport Report(const PeriodLimits& limits, const ConnectionFigures& running);
    // Only what the period has used, the same way: the report without the pace and the
    // days, which take far longer to work out.
    Usage PeriodUsage(const PeriodLimits& limits, const ConnectionFigures& running);

    bool Recording() const { return running_.has_value(); }

private:
    struct Running {
        int64_t id = 0;
        QDateTime start;            // when it was made, as far as is known
        QDateTime lastSample;       // when the last sample was stored (or the row begun)
        ConnectionFigures sampled;  // the figures of the last stored sample
        bool sampledOnce = false;
        ConnectionFigures seen;  // the counters on the tick the row was begun or taken up
    };

    void TakeUpLeftOpen(const HistorySighting& sighting);
    Usage UsageAt(const QDateTime& now, const PeriodLimits& limits,
                  const ConnectionFigures& running);
    void Begin(const HistorySighting& sighting, const QDateTime& now);
    void Sample(const HistorySighting& sighting, const QDateTime& now);
    void Finish(const ConnectionFigures& figures, int tariffType, bool booked,
                const QDateTime& end);
    Usage BaseUsage(const BillingPeriod& period);
    void Check(bool written);  // a failure is told once
    void Alerts(const PeriodLimits& limits, const ConnectionFigures& running);

    HistoryStore& store_;
    const Clock& clock_;
    QLocale locale_;
    bool firstTick_ = true;
    std::optional<Running> running_;
    bool problemTold_ = false;
    QStringList notices_;  // gathered during a call, handed out at its end
    // The period's usage from the stored samples, recomputed after every write.
    std::optional<BillingPeriod> basePeriod_;
    Usage base_;
    std::optional<QDateTime> firstStart_;
    int samplesSinceCheckpoint_ = 0;
    QSet<QString> alertsGiven_;  // keys of alerts given or found given, this run
    QDateTime now_;              // the time of the tick under way
};
