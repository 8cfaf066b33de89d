// SPDX-License-Identifier: GPL-3.0-or-later
// Alerts at 80 % and 100 % of the period's budget and of its data cap.
#pragma once

#include "budget/BillingPeriod.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// One limit's alert as due now. Every threshold crossed has its key (each is given once
// per period and limit); the text speaks of the highest one.
struct DueAlert {
    QStringList keys;  // e.g. "2026-03-01 budget 500 80"
    QString text;      // plain Russian words for the user
};

inline const QString kAlertTitle = QStringLiteral("Vantoril");

// The alerts the report calls for, budget first; nothing for a limit that is not set.
// Money is written with `currency` after it when there is one.
QList<DueAlert> DueAlerts(const PeriodReport& report, const QString& currency,
                          const QLocale& locale);
