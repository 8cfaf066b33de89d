// Booking a connection's cost into the month's total of its statistics file.
#pragma once

#include <QLocale>
#include <QString>

// Adds `amount` to the value of the month `key` in section "Statistic" of `file` and
// replaces the file atomically. ".vlg" is appended unless the path already ends with it
// (case-sensitive); the file and its folder are created when missing; a new month is
// appended at the end of the section. The stored value is read in `locale` and the total,
// a single-precision sum, is written in the general number format of `locale`.
// Returns an empty text when the amount is booked, else what went wrong in plain words;
// the file is then left as it was.
QString AddStatistic(const QString& key, float amount, const QString& file, const QLocale& locale);
