// SPDX-License-Identifier: GPL-3.0-or-later
// vantoril-status: its command line and the one line it prints from the program's figures.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

enum class StatusFormat { Text, Json, Waybar };

struct StatusOptions {
    StatusFormat format = StatusFormat::Text;
    bool follow = false;  // a new line at each change
    // Accepted for panels set up when the currency sign was read from the program folder;
    // the running program now gives it on the bus.
    std::optional<QString> folder;
};

struct ParsedStatusOptions {
    std::optional<StatusOptions> options;
    QString error;      // in plain words when the arguments are wrong
    bool help = false;  // --help was asked for
};
ParsedStatusOptions ParseStatusOptions(const QStringList& arguments);
QString StatusUsage();

// How far the period has gone: the larger share of the budget and of the cap, in percent
// (0 when neither is set), and its level.
struct PeriodShare {
    double percent = 0;
    QString level;  // "ok", "warning" from 80 %, "critical" from 100 %
};
PeriodShare ShareOf(const QVariantMap& properties);

// The line for the properties of org.example.Vantoril.Meter. Money in the locale's form
// with the currency sign after it when one is set (the program gives it as Currency).
QString StatusLine(const QVariantMap& properties, StatusFormat format, const QLocale& locale,
                   const QString& currency);
// The line while the program is not running: empty text, or the "stopped" object.
QString StoppedLine(StatusFormat format);

// Exit status when the program is not running.
inline constexpr int kNotRunningStatus = 3;
// Exit status of --follow when the session bus went away under it.
inline constexpr int kBusLostStatus = 4;
