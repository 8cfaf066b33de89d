// SPDX-License-Identifier: GPL-3.0-or-later
// Booking a connection's cost into the month's total of its statistics file.
#pragma once

#include "core/RegularFile.h"

#include <QLocale>
#include <QString>

// A statistics file holds one short line a month; a larger one is not read, nor rewritten.
inline constexpr qint64 kStatisticFileLimit = 16 * kMiB;

// Adds `amount` to the value of the month `key` in section "Statistic" of `file` and
// replaces the file atomically. ".vlg" is appended unless the path already ends with it
// (case-sensitive); the file and its folder are created when missing; a new month is
// appended at the end of the section. The stored value is read in `locale` and the total,
// a single-precision sum, is written in the general number format of `locale`.
// Returns an empty text when the amount is booked, else what went wrong in plain words;
// the file is then left as it was. A file that cannot be read whole (no permission, larger
// than kStatisticFileLimit, not a regular file) is never rewritten.
QString AddStatistic(const QString& key, float amount, const QString& file, const QLocale& locale);
