// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator's line texts under each tariff type and locale.
#include "Locales.h"
#include "indicator/IndicatorText.h"
#include "indicator/TrafficCounters.h"

#include <QStringList>

#include <functional>
#include <gtest/gtest.h>

namespace {
TrafficCounters Sample() {
    TrafficCounters counters;
    counters.RecvMB = 1.5f;
    counters.SentMB = 0.25f;
    counters.TotalMB = 1.75f;
    counters.LinkBps = 48000;
    counters.OnlineSeconds = 3725;
    counters.RecvCost = 3;
    counters.SentCost = 0.5f;
    counters.TotalCost = 3.5f;
    counters.TimeCost = 0.75f;
    return counters;
}
}  // namespace

TEST(IndicatorLines, byTrafficShowsTheThreeTrafficCosts) {
    const IndicatorLines lines =
        IndicatorComposer(RussianLocale()).Compose(Sample(), 0, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(lines.received, QStringLiteral("Получено: 1,5 / 3"));
    EXPECT_EQ(lines.sent, QStringLiteral("Передано: 0,25 / 0,5"));
    EXPECT_EQ(lines.total, QStringLiteral("Всего: 1,75 / 3,5"));
    EXPECT_EQ(lines.speed, QStringLiteral("Скорость: 48000"));
    EXPECT_EQ(lines.address, QStringLiteral("IP: 10.0.0.5"));
    EXPECT_EQ(lines.online, QStringLiteral("Время: 1:02:05"));
}

TEST(IndicatorLines, byTimeShowsOnlyTheTimeCost) {
    const IndicatorLines lines = IndicatorComposer(PointLocale()).Compose(Sample(), 1, QString());
    EXPECT_EQ(lines.received, QStringLiteral("Получено: 1.5"));
    EXPECT_EQ(lines.total, QStringLiteral("Всего: 1.75"));
    EXPECT_EQ(lines.address, QStringLiteral("IP: "));
    EXPECT_EQ(lines.online, QStringLiteral("Время: 1:02:05 / 0.75"));
}

// A line kept from the tick before must never outlive a change of what it shows: each step
// changes one figure (or the tariff type, which decides the costs) and the kept lines must
// read as lines composed afresh.
TEST(IndicatorLines, keptLinesFollowEveryChange) {
    IndicatorComposer kept(RussianLocale());
    TrafficCounters counters = Sample();
    int32_t tariffType = 0;
    QString address = QStringLiteral("10.0.0.5");
    const std::function<void()> steps[] = {
        [&] { ++counters.OnlineSeconds; },
        [&] { counters.RecvMB += 0.01f; },
        [&] { counters.SentCost += 0.25f; },
        [&] { counters.TotalMB += 1; },
        [&] { counters.LinkBps = 115200; },
        [&] { address = QStringLiteral("10.0.0.6"); },
        [&] { tariffType = 1; },
        [&] { counters.TimeCost += 0.5f; },
        [&] { tariffType = 2; },
        [&] {},
    };
    for (const auto& step : steps) {
        step();
        const IndicatorLines& got = kept.Compose(counters, tariffType, address);
        const IndicatorLines fresh =
            IndicatorComposer(RussianLocale()).Compose(counters, tariffType, address);
        EXPECT_EQ(
            QStringList({got.received, got.sent, got.total, got.speed, got.address, got.online}),
            QStringList({fresh.received, fresh.sent, fresh.total, fresh.speed, fresh.address,
                         fresh.online}));
    }
}

TEST(IndicatorLines, otherTariffTypesShowNoCost) {
    for (int32_t type : {2, -1}) {
        const IndicatorLines lines =
            IndicatorComposer(RussianLocale()).Compose(Sample(), type, QString());
        for (const QString& text : {lines.received, lines.sent, lines.total, lines.online})
            EXPECT_FALSE(text.contains(QStringLiteral(" / "))) << text.toStdString();
    }
}

TEST(OnlineTime, timeOfDayWithoutLeadingZeroInEveryLocale) {
    EXPECT_EQ(OnlineTimeText(0, TimeOfDayWriter(RussianLocale())), QStringLiteral("0:00:00"));
    EXPECT_EQ(OnlineTimeText(3725, TimeOfDayWriter(RussianLocale())), QStringLiteral("1:02:05"));
    EXPECT_EQ(OnlineTimeText(86399, TimeOfDayWriter(PointLocale())), QStringLiteral("23:59:59"));
}

TEST(OnlineTime, aDayOrMoreCarriesTheDayCount) {
    EXPECT_EQ(OnlineTimeText(86400, TimeOfDayWriter(RussianLocale())),
              QStringLiteral("1 дн. 0:00:00"));
    EXPECT_EQ(OnlineTimeText(3 * 86400 + 3725, TimeOfDayWriter(RussianLocale())),
              QStringLiteral("3 дн. 1:02:05"));
    EXPECT_EQ(OnlineTimeText(INT32_MAX, TimeOfDayWriter(RussianLocale())),
              QStringLiteral("24855 дн. 3:14:07"));
    EXPECT_EQ(OnlineTimeText(INT32_MIN, TimeOfDayWriter(RussianLocale())),
              QStringLiteral("-24855 дн. 3:14:08"));
    EXPECT_EQ(OnlineTimeText(INT64_MIN, TimeOfDayWriter(RussianLocale())).left(1),
              QStringLiteral("-"));
}
