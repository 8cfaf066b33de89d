// SPDX-License-Identifier: GPL-3.0-or-later
// The metered connection's life in the history, the period's totals and its alerts.
#include "history/HistoryRecorder.h"

#include "budget/BudgetAlerts.h"
#include "core/Clock.h"
#include "core/Logging.h"
#include "history/HistoryMessages.h"
#include "history/HistoryReports.h"

#include <algorithm>

namespace {

// The figures fell: the link dropped and came back between two ticks, a new connection.
bool CountersFell(const ConnectionFigures& now, const ConnectionFigures& before) {
    return now.usage.received < before.usage.received || now.usage.sent < before.usage.sent;
}

// A minute has passed since `since`, or the clock was put back before it.
bool MinuteSince(const QDateTime& since, const QDateTime& now) {
    const qint64 seconds = since.secsTo(now);
    return seconds >= kHistorySampleSeconds || seconds < 0;
}

// The row of a connection first seen already up begins when it was seen, later than it was
// made; the row of any later connection began before that one was made.
bool SameConnection(const ConnectionRecord& row, const HistorySighting& sighting,
                    const QDateTime& now) {
    const QDateTime made = now.addSecs(-sighting.figures.onlineSeconds);
    return sighting.connected && row.name == sighting.name &&
           row.linkSource == sighting.linkSource && !CountersFell(sighting.figures, row.figures) &&
           row.start.secsTo(made) <= kStartSlackSeconds;
}

}  // namespace

HistoryRecorder::HistoryRecorder(HistoryStore& store, const Clock& clock, QLocale locale)
    : store_(store), clock_(clock), locale_(std::move(locale)) {}

QStringList HistoryRecorder::Start() {
    notices_.clear();
    now_ = lastTry_ = clock_.Now();
    Check(store_.Open());
    if (!store_.MovedAside().isEmpty()) notices_.append(HistoryMovedAsideText(store_.MovedAside()));
    return std::exchange(notices_, {});
}

void HistoryRecorder::Check(bool written) {
    if (written) return;
    const HistoryError error = store_.LastError();
    if (error.problem == HistoryProblem::Corrupt && store_.StartAfresh()) {
        // Damage found while writing: the file is kept aside and the connection starts a
        // new history at the next tick.
        notices_.append(HistoryMovedAsideText(store_.MovedAside()));
        running_.reset();
        basePeriod_.reset();
        return;
    }
    // Let go until the next try; the file stays exactly as it is. The period keeps what
    // was last read from it.
    store_.Close();
    running_.reset();
    lastTry_ = now_;
    if (std::exchange(problemTold_, true)) return;
    qCWarning(lcHistory) << store_.Path() << error.detail;
    notices_.append(HistoryDetachedText(error, store_.Path()));
}

void HistoryRecorder::Reopen(const QDateTime& now) {
    if (!HistoryProblemMayPass(store_.LastError().problem) || !MinuteSince(lastTry_, now)) return;
    lastTry_ = now;
    if (!store_.Open()) return;
    if (!store_.MovedAside().isEmpty()) notices_.append(HistoryMovedAsideText(store_.MovedAside()));
    if (std::exchange(problemTold_, false)) notices_.append(HistoryResumedText());
    takenUp_ = false;
    basePeriod_.reset();
}

QStringList HistoryRecorder::Tick(const HistorySighting& sighting, const PeriodLimits&) {
    notices_.clear();
    const QDateTime now = clock_.Now();
    now_ = now;
    if (!store_.IsOpen()) Reopen(now);
    TakeUpLeftOpen(sighting);
    if (sighting.connected) {
        if (running_ && sighting.handedOver) {
            const HistorySighting::Ended& ended = *sighting.handedOver;
            Finish(ended.figures, ended.classes, sighting.tariffType, sighting.booked, now);
        } else if (running_ && CountersFell(sighting.figures, running_->sampled)) {
            // Unnumbered by the link, only the later connection was booked; the earlier one
            // ends at its last sample.
            Finish(running_->sampled, running_->classes, sighting.tariffType, false,
                   running_->lastSample);
        }
        if (!running_) Begin(sighting, now);
        if (running_ && MinuteSince(running_->lastSample, now)) Sample(sighting, now);
    } else if (running_) {
        Finish(sighting.figures, sighting.classes, sighting.tariffType, sighting.booked, now);
    }
    return std::exchange(notices_, {});
}

std::optional<ClassShares> HistoryRecorder::TakeUpLeftOpen(const HistorySighting& sighting) {
    if (takenUp_ || !store_.IsOpen()) return std::nullopt;
    takenUp_ = true;
    const QDateTime now = clock_.Now();
    const QList<ConnectionRecord> open = store_.OpenConnections();
    for (const ConnectionRecord& row : open) {
        if (!store_.IsOpen()) break;  // let go after a failure
        if (!running_ && &row == &open.last() && SameConnection(row, sighting, now)) {
            // The program was restarted while the connection stayed up: the row goes on.
            const QDateTime last = row.lastSample.isValid() ? row.lastSample : row.start;
            running_ =
                Running{row.id,           row.start,  last, row.figures, row.lastSample.isValid(),
                        sighting.figures, row.classes};
        } else {
            Check(store_.CloseCutShort(row.id));
        }
    }
    basePeriod_.reset();
    if (!running_) return std::nullopt;
    return running_->classes;
}

void HistoryRecorder::Begin(const HistorySighting& sighting, const QDateTime& now) {
    if (!store_.IsOpen()) return;  // let go: tried again at the next minute
    const std::optional<int64_t> id = store_.BeginConnection(
        ConnectionStart{sighting.name, sighting.linkSource, now, sighting.tariffType});
    Check(id.has_value());
    if (!id) return;
    // The counters may still hold the previous connection's figures on this tick: the
    // first sample comes a minute later, from this connection's own counters.
    running_ = Running{*id, now, now, ConnectionFigures{}, false, sighting.figures, ClassShares{}};
    // Without samples the row adds nothing to the period; it may be the history's first.
    if (!firstStart_ || now < *firstStart_) firstStart_ = now;
}

void HistoryRecorder::Sample(const HistorySighting& sighting, const QDateTime& now) {
    Running& run = *running_;
    if (!run.sampledOnce) {
        // A connection already up when it was first seen began before that.
        const QDateTime made = now.addSecs(-sighting.figures.onlineSeconds);
        if (made < run.start && store_.SetStart(run.id, made)) {
            run.start = made;
            if (!firstStart_ || made < *firstStart_) firstStart_ = made;
        }
    }
    const bool written = store_.AddSample(run.id, now, sighting.figures, sighting.classes);
    // A failed write is not retried at every tick: the next try is a minute later.
    const QDateTime before = std::exchange(run.lastSample, now);
    if (written) {
        AddToBase(before, now, sighting.figures);
        run.sampled = sighting.figures;
        run.classes = sighting.classes;
        run.sampledOnce = true;
        if (++samplesSinceCheckpoint_ >= kSamplesPerCheckpoint) {
            samplesSinceCheckpoint_ = 0;
            store_.CheckpointInBackground();
        }
    }
    Check(written);  // last: a damaged file ends the running row
}

void HistoryRecorder::KeepLastFigures(const HistorySighting& sighting) {
    if (running_ && CountsForRunning(sighting.figures)) Sample(sighting, clock_.Now());
}

void HistoryRecorder::Finish(const ConnectionFigures& figures, const ClassShares& classes,
                             int tariffType, bool booked, const QDateTime& end) {
    const bool written =
        store_.FinishConnection(running_->id, end, figures, tariffType, booked, classes);
    if (written) AddToBase(running_->lastSample, end, figures);
    running_.reset();
    if (!written) basePeriod_.reset();
    Check(written);
}

void HistoryRecorder::AddToBase(const QDateTime& before, const QDateTime& at,
                                const ConnectionFigures& figures) {
    if (!basePeriod_) return;
    // The new sample, taken last, is where the connection now stands at the period's end.
    // When it falls into the period after the one before, the period gains just the
    // difference. Otherwise it is read again: a sample of another period, or one put
    // before others by the clock, whose step the included volume takes in time order.
    // In whole seconds, as the samples' times are stored.
    const int64_t t = at.toSecsSinceEpoch();
    const bool inPeriod = t > basePeriod_->StartTime().toSecsSinceEpoch() &&
                          t <= basePeriod_->EndTime().toSecsSinceEpoch();
    if (!inPeriod || (running_->sampledOnce && t < before.toSecsSinceEpoch())) {
        basePeriod_.reset();
        return;
    }
    const Usage step = figures.usage - (running_->sampledOnce ? running_->sampled.usage : Usage{});
    base_.used += step;
    base_.included.Take(step);
}

PeriodUse HistoryRecorder::BaseUse(const BillingPeriod& period, double includedMb) {
    if (basePeriod_ && basePeriod_->start == period.start && basePeriod_->end == period.end &&
        baseIncludedMb_ == includedMb)
        return base_;
    basePeriod_ = period;
    baseIncludedMb_ = includedMb;
    base_ = store_.IsOpen() ? StoredPeriodUse(store_, period, includedMb) : PeriodUse{};
    firstStart_ = store_.IsOpen() ? store_.FirstStart() : std::nullopt;
    return base_;
}

PeriodReport HistoryRecorder::Report(const PeriodLimits& limits, const ConnectionFigures& running) {
    const QDateTime now = clock_.Now();
    const PeriodUse use = UsageAt(now, limits, running);
    PeriodReport report = BuildPeriodReport(limits, now, use.used, firstStart_, use.included);
    if (running_)
        report.running = RunningConnection{running_->id,
                                           CountsForRunning(running) ? running : running_->sampled};
    return report;
}

PeriodUse HistoryRecorder::PeriodUsage(const PeriodLimits& limits,
                                       const ConnectionFigures& running) {
    return UsageAt(clock_.Now(), limits, running);
}

PeriodUse HistoryRecorder::UsageAt(const QDateTime& now, const PeriodLimits& limits,
                                   const ConnectionFigures& running) {
    PeriodUse use = BaseUse(PeriodContaining(now.date(), limits.cycleDay), limits.includedMb);
    // What the counters add since the last stored sample: the period's latest step.
    if (CountsForRunning(running)) {
        const Usage step = running.usage - running_->sampled.usage;
        use.used += step;
        use.included.Take(step);
    }
    return use;
}

bool HistoryRecorder::CountsForRunning(const ConnectionFigures& running) const {
    return running_ && (running_->sampledOnce || !(running == running_->seen)) &&
           !CountersFell(running, running_->sampled);
}

QList<DueAlert> HistoryRecorder::FreshAlerts(const PeriodLimits& limits,
                                             const ConnectionFigures& running) {
    QList<DueAlert> fresh;
    if (!limits.alerts || (limits.budget <= 0 && limits.capMb <= 0)) return fresh;
    const QDateTime now = clock_.Now();
    const PeriodReport standing = PeriodStanding(limits, now.date(), UsageAt(now, limits, running));
    for (const DueAlert& alert : DueAlerts(standing, limits.currency, locale_)) {
        bool unsaid = false;
        for (const QString& key : alert.keys) {
            if (alertsHandedOut_.contains(key)) continue;
            alertsHandedOut_.insert(key);
            // A store that cannot say leaves the alert to this run's memory.
            unsaid = unsaid || !store_.IsOpen() || !store_.AlertRecorded(key);
        }
        if (unsaid) fresh.append(alert);
    }
    return fresh;
}

void HistoryRecorder::AlertShown(const DueAlert& alert) {
    if (!store_.IsOpen()) return;
    for (const QString& key : alert.keys) (void)store_.RecordAlert(key, clock_.Now());
}

void HistoryRecorder::AlertUnshown(const DueAlert& alert) {
    unshown_.removeIf([&](const DueAlert& waiting) {
        return std::all_of(waiting.keys.begin(), waiting.keys.end(),
                           [&](const QString& key) { return alert.keys.contains(key); });
    });
    unshown_.append(alert);
}
