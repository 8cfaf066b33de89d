// SPDX-License-Identifier: GPL-3.0-or-later
// Building what the history window shows from the history, the settings and the books.
#include "history/HistoryView.h"

#include "core/Numbers.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "history/BookedMonths.h"
#include "history/HistoryMessages.h"
#include "history/HistoryReports.h"
#include "history/HistoryStore.h"

#include <QCoreApplication>

#include <cmath>

namespace {

constexpr int kMonthsShown = 12;

// The language of the dates in the texts, the texts' own.
QLocale TextLocale() {
    return QLocale(QCoreApplication::translate("HistoryView", "ru_RU", "locale of dates in texts"));
}

// "день", "дня" or "дней" after `count`.
QString Days(int count) {
    const int tens = count % 100;
    const int ones = count % 10;
    const char* word = (tens >= 11 && tens <= 14) ? QT_TRANSLATE_N_NOOP("HistoryView", "дней")
                       : ones == 1                ? QT_TRANSLATE_N_NOOP("HistoryView", "день")
                       : (ones >= 2 && ones <= 4) ? QT_TRANSLATE_N_NOOP("HistoryView", "дня")
                                                  : QT_TRANSLATE_N_NOOP("HistoryView", "дней");
    // Translated by the count, so that a language with other plural rules picks its own form.
    return QString::number(count) + u' ' +
           QCoreApplication::translate("HistoryView", word, nullptr, count);
}

QString DayAndMonth(const QDate& day) {
    return TextLocale().toString(day, QStringLiteral("d MMMM"));
}

QString MonthAndYear(const QDate& month) {
    QString name = TextLocale().standaloneMonthName(month.month());
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    return name + u' ' + QString::number(month.year());
}

QString MonthLabel(const QDate& month, bool withYear) {
    static const char* const kShort[] = {
        QT_TRANSLATE_NOOP("HistoryView", "янв"), QT_TRANSLATE_NOOP("HistoryView", "фев"),
        QT_TRANSLATE_NOOP("HistoryView", "мар"), QT_TRANSLATE_NOOP("HistoryView", "апр"),
        QT_TRANSLATE_NOOP("HistoryView", "май"), QT_TRANSLATE_NOOP("HistoryView", "июн"),
        QT_TRANSLATE_NOOP("HistoryView", "июл"), QT_TRANSLATE_NOOP("HistoryView", "авг"),
        QT_TRANSLATE_NOOP("HistoryView", "сен"), QT_TRANSLATE_NOOP("HistoryView", "окт"),
        QT_TRANSLATE_NOOP("HistoryView", "ноя"), QT_TRANSLATE_NOOP("HistoryView", "дек")};
    const QString name = QCoreApplication::translate("HistoryView", kShort[month.month() - 1]);
    return withYear ? name + u' ' + QString::number(month.year()) : name;
}

QString PeriodText(const PeriodReport& report) {
    const BillingPeriod& period = report.period;
    const QString from =
        period.start.year() == period.LastDay().year()
            ? DayAndMonth(period.start)
            : DayAndMonth(period.start) + u' ' + QString::number(period.start.year());
    return QCoreApplication::translate("HistoryView",
                                       "Расчётный период: %1 — %2 %3 г., день %4 из %5")
        .arg(from, DayAndMonth(period.LastDay()))
        .arg(period.LastDay().year())
        .arg(report.daysElapsed + 1)
        .arg(period.Days());
}

// Saturating: a tiny limit hand-given in the file gives a huge share, never an overflow.
int Percent(double used, double limit) {
    return RoundToInt32(100.0 * used / limit);
}

LimitGauge Gauge(double used, double limit, const QString& usedText, const QString& limitText,
                 const QString& noLimit) {
    LimitGauge gauge;
    gauge.level = LevelOf(used, limit);
    if (gauge.level == LimitLevel::None) {
        gauge.text = usedText + QStringLiteral(" — ") + noLimit;
        return gauge;
    }
    gauge.percent = Percent(used, limit);
    gauge.text = QCoreApplication::translate("HistoryView", "%1 из %2 (%3 %)")
                     .arg(usedText, limitText)
                     .arg(gauge.percent);
    return gauge;
}

QString ProjectionText(const PeriodReport& report, const QString& currency, const QLocale& locale) {
    QString text = QCoreApplication::translate("HistoryView", "Прогноз на конец периода: %1, %2")
                       .arg(MoneyText(report.projectedCost, currency, locale),
                            MegabytesText(report.projectedMb, locale));
    if (report.budget > 0 && report.projectedCost > report.budget)
        text += QCoreApplication::translate("HistoryView", " — больше бюджета на ") +
                MoneyText(report.projectedCost - report.budget, currency, locale);
    return text;
}

QString SafePerDayText(const PeriodReport& report, const QString& currency, const QLocale& locale) {
    if (!report.safePerDay) return {};
    if (report.bill >= report.budget)
        return QCoreApplication::translate("HistoryView", "Бюджет периода исчерпан");
    return QCoreApplication::translate("HistoryView", "Можно тратить в день: ") +
           MoneyText(*report.safePerDay, currency, locale);
}

QString BillText(const PeriodReport& report, const PeriodLimits& limits, const QString& currency,
                 const QLocale& locale) {
    const auto money = [&](double value) { return MoneyText(value, currency, locale); };
    QString text =
        QCoreApplication::translate("HistoryView", "Счёт за период: ") + money(report.bill);
    if (limits.planFee <= 0 && limits.includedMb <= 0) return text;
    const double traffic = report.bill - limits.planFee;
    text += QCoreApplication::translate("HistoryView", " — плата ") + money(limits.planFee);
    if (limits.includedMb <= 0)
        return text + QCoreApplication::translate("HistoryView", " и трафик ") + money(traffic);
    if (report.included.mbLeft > 0)
        return text + QCoreApplication::translate("HistoryView", "; из %1 в плате осталось %2")
                          .arg(MegabytesText(limits.includedMb, locale),
                               MegabytesText(report.included.mbLeft, locale));
    return text + QCoreApplication::translate("HistoryView", " и трафик сверх %1: %2")
                      .arg(MegabytesText(limits.includedMb, locale), money(traffic));
}

QList<QDateTime> Midnights(const QDate& first, int count, bool months) {
    QList<QDateTime> edges;
    for (int i = 0; i <= count; ++i)
        edges.append((months ? first.addMonths(i) : first.addDays(i)).startOfDay());
    return edges;
}

QList<ChartBar> DayBars(HistoryStore* store, const BillingPeriod& period, const QDate& today) {
    const QList<Usage> usage =
        store ? store->UsageBySpans(Midnights(period.start, period.Days(), false)) : QList<Usage>();
    QList<ChartBar> bars;
    for (int i = 0; i < period.Days(); ++i) {
        ChartBar bar;
        bar.first = period.start.addDays(i);
        bar.label = QString::number(bar.first.day());
        bar.usage = usage.value(i);
        bar.current = bar.first == today;
        bar.future = bar.first > today;
        bars.append(bar);
    }
    return bars;
}

// The history's months where it has them; the books' money for those before it began.
QList<ChartBar> MonthBars(HistoryStore* store, const std::optional<QDateTime>& historyStart,
                          const ProgramFolder& folder, const QDate& today, const QLocale& locale) {
    const QDate thisMonth(today.year(), today.month(), 1);
    const QDate first = thisMonth.addMonths(1 - kMonthsShown);
    const QList<Usage> usage = store && historyStart
                                   ? store->UsageBySpans(Midnights(first, kMonthsShown, true))
                                   : QList<Usage>();
    const QDate historyMonth = historyStart ? QDate(historyStart->toLocalTime().date().year(),
                                                    historyStart->toLocalTime().date().month(), 1)
                                            : thisMonth.addMonths(1);
    QList<QDate> beforeHistory;
    for (QDate month = first; month < historyMonth && month <= thisMonth;
         month = month.addMonths(1))
        beforeHistory.append(month);
    const QMap<QDate, double> booked = BookedMonthTotals(folder, beforeHistory, locale);
    QList<ChartBar> bars;
    for (int i = 0; i < kMonthsShown; ++i) {
        ChartBar bar;
        bar.first = first.addMonths(i);
        bar.label = MonthLabel(bar.first, i == 0 || bar.first.month() == 1);
        bar.current = bar.first == thisMonth;
        if (bar.first < historyMonth) {
            bar.fromBooks = booked.contains(bar.first);
            bar.usage.cost = booked.value(bar.first);
        } else {
            bar.usage = usage.value(i);
        }
        bars.append(bar);
    }
    return bars;
}

// The running connection's row shows its figures now, not those of its last sample.
QList<ConnectionRow> ConnectionRows(HistoryStore& store, const BillingPeriod& period,
                                    const std::optional<RunningConnection>& running) {
    QList<ConnectionRow> rows;
    for (ConnectionRecord record : store.Connections(period.StartTime(), period.EndTime())) {
        if (running && running->id == record.id && record.Open()) record.figures = running->figures;
        ConnectionRow row;
        row.name = record.name;
        row.start = record.start.toLocalTime();
        row.startText = row.start.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
        row.seconds = record.figures.onlineSeconds;
        row.durationText = DurationText(row.seconds);
        row.receivedMb = double(record.figures.usage.received) / kBytesPerMb;
        row.sentMb = double(record.figures.usage.sent) / kBytesPerMb;
        row.cost = record.figures.usage.cost;
        if (record.cutShort)
            row.state = QCoreApplication::translate("HistoryView", "прервано");
        else if (record.Open())
            row.state = QCoreApplication::translate("HistoryView", "на связи");
        rows.append(row);
    }
    return rows;
}

QString NoticeOf(const HistoryStore& store) {
    if (store.LastError().problem == HistoryProblem::NotFound)
        return QCoreApplication::translate(
            "HistoryView",
            "Истории пока нет: она начнётся с первого соединения, которое "
            "учтёт программа.");
    return HistoryProblemText(store.LastError(), store.Path());
}

}  // namespace

LimitLevel LevelOf(double used, double limit) {
    if (!(limit > 0)) return LimitLevel::None;
    if (used >= limit) return LimitLevel::Exceeded;
    // 4/5 of the limit, compared without the rounding of 0.8 * limit.
    if (used * 5 >= limit * 4) return LimitLevel::Warning;
    return LimitLevel::Ok;
}

double ChartBar::Value(ChartUnit unit) const {
    return unit == ChartUnit::Money ? usage.cost : double(usage.Total()) / kBytesPerMb;
}

QString MegabytesText(double value, const QLocale& locale) {
    return locale.toString(RoundHalfEven(value, 2), 'f', 2) +
           QCoreApplication::translate("HistoryView", " МБ");
}

QString BarCaption(const ChartBar& bar, ChartSpan span, ChartUnit unit, const QString& currency,
                   const QLocale& locale) {
    const QString when = span == ChartSpan::Days ? DayAndMonth(bar.first) : MonthAndYear(bar.first);
    if (bar.future) return when + QCoreApplication::translate("HistoryView", ": ещё не наступил");
    QString text = when + QStringLiteral(": ");
    if (bar.fromBooks && unit == ChartUnit::Megabytes)
        text += QCoreApplication::translate("HistoryView", "трафик до начала истории неизвестен");
    else if (unit == ChartUnit::Money)
        text += MoneyText(bar.usage.cost, currency, locale);
    else
        text += MegabytesText(bar.Value(unit), locale);
    if (bar.fromBooks)
        text += QCoreApplication::translate("HistoryView", " (по файлам статистики)");
    if (bar.current)
        text += span == ChartSpan::Days
                    ? QCoreApplication::translate("HistoryView", ", сегодня")
                    : QCoreApplication::translate("HistoryView", ", текущий месяц");
    return text;
}

HistoryView LoadHistoryView(const ProgramFolder& folder, const QDateTime& now,
                            const QLocale& locale, const std::optional<PeriodReport>& live) {
    HistoryView view;
    const Settings settings = LoadSettings(folder);
    const PeriodLimits limits = LimitsOf(settings);
    view.currency = settings.currency;
    HistoryStore store(folder.AppFilePath(QLatin1String(kHistoryFile)));
    const bool open = store.Open(HistoryStore::Mode::ReadOnly);
    std::optional<QDateTime> historyStart;
    if (open) {
        historyStart = store.FirstStart();
        view.report = StoredPeriodReport(store, limits, now);
        view.connections =
            ConnectionRows(store, view.report.period, live ? live->running : std::nullopt);
    } else {
        view.report = BuildPeriodReport(limits, now, Usage{}, std::nullopt);
    }
    view.days = DayBars(open ? &store : nullptr, view.report.period, now.date());
    view.months = MonthBars(open ? &store : nullptr, historyStart, folder, now.date(), locale);
    const Usage unsaved = live ? live->used - view.report.used : Usage{};
    if (open && live && live->period.start == view.report.period.start && unsaved.received >= 0 &&
        unsaved.sent >= 0 && unsaved.cost >= 0) {
        view.report = BuildPeriodReport(limits, now, live->used, historyStart, live->included);
        for (ChartBar& bar : view.days)
            if (bar.current) bar.usage += unsaved;
        if (!view.months.last().fromBooks) view.months.last().usage += unsaved;
    }
    if (!open || store.LastError().problem != HistoryProblem::None) view.notice = NoticeOf(store);

    const PeriodReport& report = view.report;
    view.periodText = PeriodText(report);
    view.money = Gauge(report.bill, report.budget, MoneyText(report.bill, view.currency, locale),
                       MoneyText(report.budget, view.currency, locale),
                       QCoreApplication::translate("HistoryView", "бюджет не задан"));
    view.traffic = Gauge(report.UsedMb(), report.capMb, MegabytesText(report.UsedMb(), locale),
                         MegabytesText(report.capMb, locale),
                         QCoreApplication::translate("HistoryView", "лимит не задан"));
    view.projectionText = ProjectionText(report, view.currency, locale);
    view.daysLeftText = QCoreApplication::translate("HistoryView", "Осталось: ") +
                        Days(report.daysLeft) +
                        QCoreApplication::translate("HistoryView", ", сегодня включительно");
    view.safePerDayText = SafePerDayText(report, view.currency, locale);
    view.billText = BillText(report, limits, view.currency, locale);
    return view;
}
