// SPDX-License-Identifier: GPL-3.0-or-later
// Writing money.
#include "core/MoneyText.h"

#include "core/Numbers.h"

QString MoneyText(double value, const QString& currency, const QLocale& locale) {
    const QString number = locale.toString(RoundHalfEven(value, 2), 'f', 2);
    return currency.isEmpty() ? number : number + u' ' + currency;
}
