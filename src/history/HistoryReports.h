// Reports over the stored history: usage per day, the billing period as stored.
#pragma once

#include "history/BillingPeriod.h"
#include "history/HistoryStore.h"

#include <QDate>
#include <QList>

struct DayUsage {
    QDate date;  // a local calendar day
    Usage usage;
};

// Usage per local day from `first` to `last`, both included; a connection over midnight
// counts on each day with what it used on it.
QList<DayUsage> UsagePerDay(HistoryStore& store, const QDate& first, const QDate& last);

// The period holding `now` (local time) as the history has it: a running connection up
// to its last sample.
PeriodReport StoredPeriodReport(HistoryStore& store, const PeriodLimits& limits,
                                const QDateTime& now);
