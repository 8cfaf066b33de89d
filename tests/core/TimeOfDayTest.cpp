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

TEST(TimeOfDayWriter, writesWhatQtWritesInEveryLocale) {
    const QTime times[] = {QTime(0, 0), QTime(9, 5, 3), QTime(12, 0, 59), QTime(23, 59, 59)};
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        const TimeOfDayWriter writer(locale);
        for (const QTime& time : times)
            EXPECT_EQ(writer.Write(time), locale.toString(time, TimeOfDayFormat(locale)))
                << locale.name().toStdString() << " " << TimeOfDayFormat(locale).toStdString();
    }
}
