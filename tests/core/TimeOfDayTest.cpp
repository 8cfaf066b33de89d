// SPDX-License-Identifier: GPL-3.0-or-later
// The time-of-day format: the locale's long format without zone or leading hour zero.
#include "Locales.h"
#include "core/TimeOfDay.h"

#include <QTime>

#include <gtest/gtest.h>

TEST(TimeOfDayFormat, russianTimesHaveNoZoneAndNoLeadingHourZero) {
    const QLocale russian = RussianLocale();
    EXPECT_EQ(russian.toString(QTime(9, 5, 3), TimeOfDayFormat(russian)), "9:05:03");
    EXPECT_EQ(russian.toString(QTime(14, 5, 9), TimeOfDayFormat(russian)), "14:05:09");
}

TEST(TimeOfDayFormat, otherLocalesLoseTheirZoneWhereverItStands) {
    const QTime time(9, 5, 3);
    const QLocale bulgarian(QLocale::Bulgarian);  // a quoted word after the time stays
    EXPECT_EQ(bulgarian.toString(time, TimeOfDayFormat(bulgarian)),
              QString::fromUtf8("9:05:03 ч."));
    const QLocale spanish(QLocale::Spanish);  // the zone in brackets
    EXPECT_EQ(spanish.toString(time, TimeOfDayFormat(spanish)), "9:05:03");
    const QLocale chinese(QLocale::Chinese);  // the zone first
    EXPECT_EQ(chinese.toString(time, TimeOfDayFormat(chinese)), "9:05:03");
}
