// SPDX-License-Identifier: GPL-3.0-or-later
// How a time of day is written: the locale's long time format, as the desktop shows it.
#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

#include <vector>

// The locale's long time format without its time zone and with hours that have no
// leading zero: in Russian 9:05:03 and 14:05:09.
QString TimeOfDayFormat(const QLocale& locale);

// Writes times of day in that format. The indicator writes one every second, and Qt reads
// the format again at every call; here it is read once. A format with more than hours,
// minutes, seconds and literal text, or a locale with digits other than 0 to 9, is left to Qt.
class TimeOfDayWriter {
public:
    explicit TimeOfDayWriter(const QLocale& locale);
    QString Write(const QTime& time) const;

private:
    struct Piece {
        char16_t field = 0;  // 'H' hours, 'm' minutes, 's' seconds; 0 for literal text
        bool twoDigits = false;
        QString text;
    };

    QLocale locale_;
    QString format_;
    std::vector<Piece> pieces_;  // empty when Qt writes the time
};
