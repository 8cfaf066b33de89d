// SPDX-License-Identifier: GPL-3.0-or-later
// What the history window shows, computed without widgets: the period in words, the
// budget and cap with their levels, the chart's bars and the period's connections.
#pragma once

#include "budget/BillingPeriod.h"
#include "core/MoneyText.h"
#include "history/HistoryTypes.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

class HistoryStore;
class ProgramFolder;

// How much of a limit is used: the bar's colour turns at 80 % and at 100 %.
enum class LimitLevel { None, Ok, Warning, Exceeded };  // None: no limit is set
LimitLevel LevelOf(double used, double limit);

// One limit's line at the top: the figure, the share and its level.
struct LimitGauge {
    LimitLevel level = LimitLevel::None;
    int percent = 0;  // of the limit, not capped at 100
    QString text;     // "412,50 из 500,00 (83 %)", or the figure alone without a limit
};

enum class ChartUnit { Money, Megabytes };
enum class ChartSpan { Days, Months };

// One bar: a day of the period or a month of the last twelve.
struct ChartBar {
    QDate first;    // the day, or the month's first day
    QString label;  // under the bar: "5", "мар"
    Usage usage;
    bool current = false;    // today, or this month
    bool future = false;     // a day of the period still to come
    bool fromBooks = false;  // before the history: the statistics files' money, no traffic

    double Value(ChartUnit unit) const;
};

// A row of the period's connection table: texts to show and values to sort by.
struct ConnectionRow {
    QString name;
    QDateTime start;  // local
    QString startText;
    int64_t seconds = 0;
    QString durationText;
    double receivedMb = 0;
    double sentMb = 0;
    double cost = 0;
    QString state;  // "прервано" for one cut short, "на связи" for the one still up
};

struct HistoryView {
    PeriodReport report;
    QString currency;  // the `currency` key: a sign after money, when set
    QString notice;    // why there is no history to show; empty when there is
    QString periodText;
    LimitGauge money;
    LimitGauge traffic;
    QString projectionText;
    QString daysLeftText;
    QString safePerDayText;  // empty without a budget
    QString billText;        // the period's bill and what it is made of
    QList<ChartBar> days;
    QList<ChartBar> months;
    QList<ConnectionRow> connections;
};

// The view for the moment `now` from the program folder's history, settings and, for
// the months before the history began, its statistics files. `live`: the running
// program's report of the period, whose connection may have used more since its last
// stored sample; that rest counts today and this month, and its row shows it.
HistoryView LoadHistoryView(const ProgramFolder& folder, const QDateTime& now,
                            const QLocale& locale,
                            const std::optional<PeriodReport>& live = std::nullopt);

// The exact figure of a bar, for its tooltip and for screen readers.
QString BarCaption(const ChartBar& bar, ChartSpan span, ChartUnit unit, const QString& currency,
                   const QLocale& locale);
QString MegabytesText(double value, const QLocale& locale);
