// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator's line texts.
#include "indicator/IndicatorText.h"

#include "core/Numbers.h"
#include "core/TimeOfDay.h"
#include "indicator/TrafficCounters.h"

#include <QCoreApplication>
#include <QTime>

namespace {
constexpr int64_t kSecondsPerDay = 86400;

// A word of the indicator, ready for a translation.
QString Text(const char* text) {
    return QCoreApplication::translate("IndicatorText", text);
}

QString WithCost(const QString& figure, bool withCost, float cost, const QLocale& locale) {
    return withCost ? figure + QStringLiteral(" / ") + NumberText(cost, locale) : figure;
}

}  // namespace

QString OnlineTimeText(int64_t seconds, const QLocale& locale) {
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    const uint64_t magnitude = seconds < 0 ? uint64_t(0) - uint64_t(seconds) : uint64_t(seconds);
    const uint64_t days = magnitude / kSecondsPerDay;
    const QString time = locale.toString(QTime(0, 0).addSecs(int(magnitude % kSecondsPerDay)),
                                         TimeOfDayFormat(locale));
    const QString dayCount = days > 0 ? QString::number(days) + ' ' +
                                            Text(QT_TRANSLATE_NOOP("IndicatorText", "дн.")) + ' '
                                      : QString();
    return sign + dayCount + time;
}

IndicatorLines ComposeIndicatorLines(const TrafficCounters& counters, int32_t tariffType,
                                     const QString& localAddress, const QLocale& locale) {
    const bool byTraffic = tariffType == 0;
    const bool byTime = tariffType == 1;
    IndicatorLines lines;
    lines.received = WithCost(Text(QT_TRANSLATE_NOOP("IndicatorText", "Получено:")) + ' ' +
                                  NumberText(counters.RecvMB, locale),
                              byTraffic, counters.RecvCost, locale);
    lines.sent = WithCost(Text(QT_TRANSLATE_NOOP("IndicatorText", "Передано:")) + ' ' +
                              NumberText(counters.SentMB, locale),
                          byTraffic, counters.SentCost, locale);
    lines.total = WithCost(Text(QT_TRANSLATE_NOOP("IndicatorText", "Всего:")) + ' ' +
                               NumberText(counters.TotalMB, locale),
                           byTraffic, counters.TotalCost, locale);
    lines.speed = Text(QT_TRANSLATE_NOOP("IndicatorText", "Скорость:")) + ' ' +
                  QString::number(counters.LinkBps);
    lines.address = QStringLiteral("IP: ") + localAddress;
    lines.online = WithCost(Text(QT_TRANSLATE_NOOP("IndicatorText", "Время:")) + ' ' +
                                OnlineTimeText(counters.OnlineSeconds, locale),
                            byTime, counters.TimeCost, locale);
    return lines;
}
