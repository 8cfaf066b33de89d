// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing numbers as text, in a comma and a point locale.
#include "Locales.h"
#include "core/Numbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(ReadNumber, readsTheLeadingNumberIgnoringBlanks) {
    EXPECT_EQ(ReadNumber(u" 12 "), 12);
    EXPECT_EQ(ReadNumber(u"1 024"), 1024);
    EXPECT_EQ(ReadNumber(u"1\t0\n24"), 1024);
    EXPECT_EQ(ReadNumber(u"15min"), 15);
    EXPECT_EQ(ReadNumber(u"128abc"), 128);
    EXPECT_EQ(ReadNumber(u"-.5"), -0.5);
    EXPECT_EQ(ReadNumber(u"+7"), 7);
    EXPECT_EQ(ReadNumber(u"1.5.5"), 1.5);
}

TEST(ReadNumber, onlyThePointIsADecimalSeparator) {
    EXPECT_EQ(ReadNumber(u"1,25"), 1);
    EXPECT_EQ(ReadNumber(u"12,75"), 12);
}

TEST(ReadNumber, readsExponentsWithEAndD) {
    EXPECT_EQ(ReadNumber(u"1e3"), 1000);
    EXPECT_EQ(ReadNumber(u"1E+3"), 1000);
    EXPECT_EQ(ReadNumber(u"25d-1"), 2.5);
    EXPECT_EQ(ReadNumber(u"2D2"), 200);
    EXPECT_EQ(ReadNumber(u"1e"), 1);  // an exponent without digits is not there
    EXPECT_EQ(ReadNumber(u"1e+x"), 1);
}

TEST(ReadNumber, readsHexadecimalAndOctal) {
    EXPECT_EQ(ReadNumber(u"&HFF"), 255);
    EXPECT_EQ(ReadNumber(u"&h1f"), 31);
    EXPECT_EQ(ReadNumber(u"&O17"), 15);
    EXPECT_EQ(ReadNumber(u"&o19"), 1);  // 9 is not an octal digit
    EXPECT_EQ(ReadNumber(u"&Hxyz"), 0);
}

TEST(ReadNumber, givesZeroWithoutALeadingNumber) {
    EXPECT_EQ(ReadNumber(u""), 0);
    EXPECT_EQ(ReadNumber(u"DL"), 0);
    EXPECT_EQ(ReadNumber(u"(5)"), 0);
    EXPECT_EQ(ReadNumber(u"-"), 0);
    EXPECT_EQ(ReadNumber(u"."), 0);
    EXPECT_EQ(ReadNumber(u"Пять"), 0);
}

TEST(ReadNumber, outOfRangeGivesInfinityOrZeroNeverACrash) {
    EXPECT_EQ(ReadNumber(u"1e999"), HUGE_VAL);
    EXPECT_EQ(ReadNumber(u"-1e999"), -HUGE_VAL);
    EXPECT_EQ(ReadNumber(u"1e-999"), 0);
    EXPECT_EQ(ReadNumber(QString(400, u'9')), HUGE_VAL);
}

TEST(ReadLocaleNumber, usesTheLocaleSeparatorAndRefusesTheRest) {
    EXPECT_EQ(ReadLocaleNumber(u"12,5", RussianLocale()), 12.5);
    EXPECT_EQ(ReadLocaleNumber(u"12.5", PointLocale()), 12.5);
    EXPECT_FALSE(ReadLocaleNumber(u"12.5", RussianLocale()));
    EXPECT_FALSE(ReadLocaleNumber(u"1,5", PointLocale()));  // no digit grouping
    EXPECT_FALSE(ReadLocaleNumber(u"1,,5", RussianLocale()));
    EXPECT_FALSE(ReadLocaleNumber(u",", RussianLocale()));
    EXPECT_FALSE(ReadLocaleNumber(u"", RussianLocale()));
    EXPECT_FALSE(ReadLocaleNumber(u"12abc", PointLocale()));
    EXPECT_FALSE(ReadLocaleNumber(u"inf", PointLocale()));
}

TEST(ReadLocaleNumber, readsBackWhatNumberTextWrites) {
    for (const QLocale& locale : {RussianLocale(), PointLocale()})
        for (double value : {15.75, -0.5, 1e16, 3.25e-7, 123456789012345.0})
            EXPECT_EQ(ReadLocaleNumber(NumberText(value, locale), locale), value)
                << NumberText(value, locale).toStdString();
}

TEST(ReadLocaleSingle, refusesValuesBeyondTheSingleRange) {
    EXPECT_EQ(ReadLocaleSingle(u"1,5", RussianLocale()), 1.5f);
    EXPECT_FALSE(ReadLocaleSingle(u"1e39", PointLocale()));
}

TEST(NumberText, writesTheLocaleSeparatorWithoutTrailingZeros) {
    EXPECT_EQ(NumberText(1.5, RussianLocale()), "1,5");
    EXPECT_EQ(NumberText(1.5, PointLocale()), "1.5");
    EXPECT_EQ(NumberText(2.0, RussianLocale()), "2");
    EXPECT_EQ(NumberText(0.25, PointLocale()), "0.25");
    EXPECT_EQ(NumberText(-0.5, RussianLocale()), "-0,5");
    EXPECT_EQ(NumberText(0.0, RussianLocale()), "0");
    EXPECT_EQ(NumberText(-0.0, RussianLocale()), "0");
    EXPECT_EQ(NumberText(1234567.0, RussianLocale()), "1234567");  // no grouping
}

TEST(NumberText, roundsDoublesTo15AndSinglesTo7Digits) {
    EXPECT_EQ(NumberText(0.1 + 0.2, PointLocale()), "0.3");
    EXPECT_EQ(NumberText(1.0 / 3, PointLocale()), "0.333333333333333");
    EXPECT_EQ(NumberText(0.1f, PointLocale()), "0.1");
    EXPECT_EQ(NumberText(15.75f, RussianLocale()), "15,75");
    EXPECT_EQ(NumberText(1.0f / 3, PointLocale()), "0.3333333");
    EXPECT_EQ(NumberText(9999999.5f, PointLocale()), "1E+07");
}

TEST(NumberText, switchesToExponentFormForLargeAndTinyMagnitudes) {
    EXPECT_EQ(NumberText(1e16, PointLocale()), "1E+16");
    EXPECT_EQ(NumberText(1e15, PointLocale()), "1E+15");
    EXPECT_EQ(NumberText(999999999999999.0, PointLocale()), "999999999999999");
    EXPECT_EQ(NumberText(-1.5e20, RussianLocale()), "-1,5E+20");
    EXPECT_EQ(NumberText(1e7f, PointLocale()), "1E+07");
    EXPECT_EQ(NumberText(9999999.0f, PointLocale()), "9999999");
    EXPECT_EQ(NumberText(0.0001, PointLocale()), "0.0001");
    EXPECT_EQ(NumberText(0.00001, PointLocale()), "1E-05");
    EXPECT_EQ(NumberText(1.25e-100, RussianLocale()), "1,25E-100");
}

TEST(RoundHalfEven, sendsExactHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(1.125, 2), 1.12);
    EXPECT_EQ(RoundHalfEven(1.375, 2), 1.38);
}

TEST(RoundToInt, saturatesInsteadOfOverflowing) {
    EXPECT_EQ(RoundToInt16(1.5), 2);
    EXPECT_EQ(RoundToInt16(70000), 32767);
    EXPECT_EQ(RoundToInt16(-1e300), -32768);
    EXPECT_EQ(RoundToInt16(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundToInt32(HUGE_VAL), 2147483647);
    EXPECT_EQ(RoundToInt32(0.5), 0);
    EXPECT_EQ(RoundToInt32(-3e9), -2147483647 - 1);
}
