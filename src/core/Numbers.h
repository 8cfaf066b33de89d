// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as text: the program's one way of reading numbers and of writing them.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// Reads the leading number of a text: blanks, tabs and line feeds are ignored wherever
// they stand, "." is the only decimal point, "&H"/"&O" start hexadecimal/octal whole
// numbers, E/e/D/d start an exponent; reading stops at the first unfit character and a
// text without a leading number reads as 0.
double ReadNumber(QStringView text);

// Reads a whole text as a number in the user's locale (its decimal separator, no digit
// grouping). Empty, partly numeric or non-finite texts give nothing.
std::optional<double> ReadLocaleNumber(QStringView text, const QLocale& locale);
// The same for a single-precision value: also nothing beyond the single range.
std::optional<float> ReadLocaleSingle(QStringView text, const QLocale& locale);

// The general number format: 15 significant digits for doubles, 7 for singles, the
// locale's decimal separator, no grouping, no trailing zeros, exponent form ("1E+16")
// from 10^15 (10^7 for singles) up and below 10^-4 (for doubles) as well.
QString NumberText(double value, const QLocale& locale);
QString NumberText(float value, const QLocale& locale);

// Rounds to `decimals` places; an exact half goes to the even neighbour (2.5 -> 2).
double RoundHalfEven(double value, int decimals = 0);

// Rounds halves to even and saturates at the type's limits (NaN gives 0): a
// hand-edited value beyond a field's width must never end the program.
int16_t RoundToInt16(double value);
int32_t RoundToInt32(double value);
