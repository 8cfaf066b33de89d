// SPDX-License-Identifier: GPL-3.0-or-later
// How a time of day is written: the locale's long time format, as the desktop shows it.
#pragma once

#include <QLocale>
#include <QString>

// The locale's long time format without its time zone and with hours that have no
// leading zero: in Russian 9:05:03 and 14:05:09.
QString TimeOfDayFormat(const QLocale& locale);
