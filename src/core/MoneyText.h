// SPDX-License-Identifier: GPL-3.0-or-later
// Money as the program writes it everywhere: windows, alerts, the bus's readers, the tools.
#pragma once

#include <QLocale>
#include <QString>

// Two decimals in the locale's form, then the currency sign when there is one.
QString MoneyText(double value, const QString& currency, const QLocale& locale);
