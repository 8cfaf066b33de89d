// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the history of the connection the program meters: a row when it is seen, a
// sample a minute, its end; the period's totals with the running connection; the alerts.
#pragma once

#include "budget/BillingPeriod.h"
#include "budget/BudgetAlerts.h"
#include "history/HistoryStore.h"

#include <QLocale>
#include <QSet>
#include <QStringList>

#include <optional>

class Clock;

inline constexpr int kHistorySampleSeconds = 60;
inline constexpr int kSamplesPerCheckpoint = 60;  // the log is copied into the file hourly
// How much later than its row began a connection may seem to have been made and still be
// the row's: the start is worked out from the whole seconds online at a tick.
inline constexpr int kStartSlackSeconds = 5;

// What one tick of the connection watcher saw, in the history's terms.
struct HistorySighting {
    bool connected = false;
    QString name;
    QString linkSource;
    ConnectionFigures figures;  // the counters; frozen at their last values once it is down
    ClassShares classes;        // the same per tariff class
    int tariffType = 0;         // Type_tar: which cost is the connection's
    bool booked = false;        // on the tick that sees the end: its cost went into the books
    // While connected: a connection that ended since the last tick and was booked, another
    // one being up in its place, with its last figures.
    struct Ended {
        ConnectionFigures figures;
        ClassShares classes;
    };
    std::optional<Ended> handedOver;
};

// Holds references only: the store and the clock must outlive it. Never blocks for long:
// a tick writes at most one short transaction.
class HistoryRecorder {
public:
    HistoryRecorder(HistoryStore& store, const Clock& clock, QLocale locale);

    // Opens the store. What the user should be told (once): a problem, a damaged file
    // moved aside.
    QStringList Start();

    // Rows left open by an earlier run: the last goes on when the sighting is provably its
    // connection (same name and link, counters not below the row's, made no later than the
    // row began); every other one is closed at its last sample as cut short. Runs once each
    // time the file is opened, before the first tick or within it. Gives the split by tariff
    // class of the row that goes on.
    std::optional<ClassShares> TakeUpLeftOpen(const HistorySighting& sighting);

    // One watcher tick (the first takes up rows left open, see above). Gives what the user
    // should be told now: a problem, said once. A history that failed for a reason that
    // may pass (a full disk, a lock) is let go, the file untouched, and opened again at the
    // next minute's sample.
    QStringList Tick(const HistorySighting& sighting, const PeriodLimits& limits);

    // The alerts due with the running connection's figures of this sampling tick that were
    // neither given in an earlier run nor handed out in this one. Each is recorded as given
    // only once AlertShown says so; one never shown is due again at the next start.
    QList<DueAlert> FreshAlerts(const PeriodLimits& limits, const ConnectionFigures& running);
    void AlertShown(const DueAlert& alert);
    // An alert that reached nobody waits to be shown again, in place of an earlier one
    // that waits for the same limit (its thresholds are the later one's too).
    void AlertUnshown(const DueAlert& alert);
    QList<DueAlert> TakeUnshown() { return std::exchange(unshown_, {}); }

    // The program is ending: the running connection's latest figures become a sample, so
    // the next run finds all it used, whether it goes on or was cut short.
    void KeepLastFigures(const HistorySighting& sighting);

    // The current period's report, the running connection's latest figures included.
    PeriodReport Report(const PeriodLimits& limits, const ConnectionFigures& running);
    // Only what the period has used, the same way: the report without the pace and the
    // days, which take far longer to work out.
    PeriodUse PeriodUsage(const PeriodLimits& limits, const ConnectionFigures& running);

    bool Recording() const { return running_.has_value(); }

private:
    struct Running {
        int64_t id = 0;
        QDateTime start;            // when it was made, as far as is known
        QDateTime lastSample;       // when the last sample was stored (or the row begun)
        ConnectionFigures sampled;  // the figures of the last stored sample
        bool sampledOnce = false;
        ConnectionFigures seen;  // the counters on the tick the row was begun or taken up
        ClassShares classes;     // of the last stored sample
    };

    void Reopen(const QDateTime& now);
    // Whether the counters are the running connection's: on the tick a connection is first
    // seen they may still hold the previous one's figures, which count once they have moved.
    bool CountsForRunning(const ConnectionFigures& running) const;
    PeriodUse UsageAt(const QDateTime& now, const PeriodLimits& limits,
                      const ConnectionFigures& running);
    void Begin(const HistorySighting& sighting, const QDateTime& now);
    void Sample(const HistorySighting& sighting, const QDateTime& now);
    void Finish(const ConnectionFigures& figures, const ClassShares& classes, int tariffType,
                bool booked, const QDateTime& end);
    PeriodUse BaseUse(const BillingPeriod& period, double includedMb);
    // A sample stored at `at` for the running connection, the one before it at `before`.
    void AddToBase(const QDateTime& before, const QDateTime& at, const ConnectionFigures& figures);
    void Check(bool written);  // a failure is told once

    HistoryStore& store_;
    const Clock& clock_;
    QLocale locale_;
    bool takenUp_ = false;  // the open rows were looked at since the file was opened
    QDateTime lastTry_;     // when opening the file was last tried
    std::optional<Running> running_;
    bool problemTold_ = false;
    QStringList notices_;  // gathered during a call, handed out at its end
    // The period's usage from the stored samples: read at start, at a period's change and
    // after anything unusual; each sample written adds its difference.
    std::optional<BillingPeriod> basePeriod_;
    double baseIncludedMb_ = 0;
    PeriodUse base_;
    std::optional<QDateTime> firstStart_;
    int samplesSinceCheckpoint_ = 0;
    QSet<QString> alertsHandedOut_;  // keys of alerts handed out or found given, this run
    QList<DueAlert> unshown_;
    QDateTime now_;  // the time of the tick under way
};
