// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator's line texts.
#include "indicator/IndicatorText.h"

#include "core/Numbers.h"
#include "core/TimeOfDay.h"
#include "indicator/TrafficCounters.h"

#include <QCoreApplication>

namespace {
constexpr int64_t kSecondsPerDay = 86400;

// A word of the indicator, ready for a translation.
QString Text(const char* text) {
    return QCoreApplication::translate("IndicatorText", text);
}

// Whether `now` differs from what `shown` holds, which becomes `now`.
template <typename Value>
bool Takes(std::optional<Value>& shown, const Value& now) {
    if (shown && *shown == now) return false;
    shown = now;
    return true;
}

}  // namespace

QString OnlineTimeText(int64_t seconds, const TimeOfDayWriter& timeOfDay) {
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    const uint64_t magnitude = seconds < 0 ? uint64_t(0) - uint64_t(seconds) : uint64_t(seconds);
    const uint64_t days = magnitude / kSecondsPerDay;
    const QString time = timeOfDay.Write(QTime(0, 0).addSecs(int(magnitude % kSecondsPerDay)));
    const QString dayCount = days > 0 ? QString::number(days) + ' ' +
                                            Text(QT_TRANSLATE_NOOP("IndicatorText", "дн.")) + ' '
                                      : QString();
    return sign + dayCount + time;
}

IndicatorComposer::IndicatorComposer(const QLocale& locale)
    : locale_(locale),
      timeOfDay_(locale),
      receivedWord_(Text(QT_TRANSLATE_NOOP("IndicatorText", "Получено:")) + ' '),
      sentWord_(Text(QT_TRANSLATE_NOOP("IndicatorText", "Передано:")) + ' '),
      totalWord_(Text(QT_TRANSLATE_NOOP("IndicatorText", "Всего:")) + ' '),
      speedWord_(Text(QT_TRANSLATE_NOOP("IndicatorText", "Скорость:")) + ' '),
      onlineWord_(Text(QT_TRANSLATE_NOOP("IndicatorText", "Время:")) + ' ') {}

QString IndicatorComposer::LineOf(const QString& word, const QString& figure,
                                  const Shown& shown) const {
    if (!shown.withCost) return word + figure;
    return word + figure + QStringLiteral(" / ") + NumberText(shown.cost, locale_);
}

const IndicatorLines& IndicatorComposer::Compose(const TrafficCounters& counters,
                                                 int32_t tariffType, const QString& localAddress) {
    const bool byTraffic = tariffType == 0;
    const bool byTime = tariffType == 1;
    const Shown received{counters.RecvMB, counters.RecvCost, byTraffic};
    if (Takes(received_, received))
        lines_.received = LineOf(receivedWord_, NumberText(counters.RecvMB, locale_), received);
    const Shown sent{counters.SentMB, counters.SentCost, byTraffic};
    if (Takes(sent_, sent))
        lines_.sent = LineOf(sentWord_, NumberText(counters.SentMB, locale_), sent);
    const Shown total{counters.TotalMB, counters.TotalCost, byTraffic};
    if (Takes(total_, total))
        lines_.total = LineOf(totalWord_, NumberText(counters.TotalMB, locale_), total);
    if (Takes(speed_, counters.LinkBps))
        lines_.speed = speedWord_ + QString::number(counters.LinkBps);
    if (Takes(address_, localAddress)) lines_.address = QStringLiteral("IP: ") + localAddress;
    const Shown online{double(counters.OnlineSeconds), counters.TimeCost, byTime};
    if (Takes(online_, online))
        lines_.online =
            LineOf(onlineWord_, OnlineTimeText(counters.OnlineSeconds, timeOfDay_), online);
    return lines_;
}
