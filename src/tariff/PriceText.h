// SPDX-License-Identifier: GPL-3.0-or-later
// Prices as text in the user's locale: typed in the price dialog, read back on save.
#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>

// Whether a typed character may enter a price: a digit 0..9 or the locale's decimal
// separator (the comma in a Russian locale, the point in a "." locale).
bool IsPriceCharacter(QChar character, const QLocale& locale);

// Empty when the text reads as a single-precision price in the locale; otherwise the
// reason in plain words, to be shown to the user.
QString PriceTextError(const QString& text, const QLocale& locale);

// Reads the four class prices from their texts. On the first text that is not a price,
// gives false and `error` naming the class; `prices` is then left unchanged.
bool ReadPriceTexts(const QStringList& texts, const QLocale& locale, std::array<float, 4>* prices,
                    QString* error);
