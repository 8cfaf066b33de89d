// SPDX-License-Identifier: GPL-3.0-or-later
// The settings record and the configuration file "inet.conf" (section Vantoril): the one
// reader and writer of every key the program knows.
#pragma once

#include "core/RegularFile.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <initializer_list>

class ProgramFolder;

struct Settings {
    int32_t Type_tar = 0;     // 0: price per MB, 1: price per hour
    int16_t Transparent = 0;  // indicator opacity 0..255
    int16_t auto_show = 0;    // flags count as on only when exactly 1
    int16_t hide_start = 0;
    int16_t full = 0;
    int32_t back_color = 0;  // read, unused
    int32_t fore_color = 0;  // read, unused
    double i_left = 0;       // the indicator's saved left edge, twips
    double i_top = 0;        // and its top edge
    // Keys older versions do not know and leave alone.
    QString link_source;     // which link backend meters (empty: chosen automatically)
    QString currency;        // the sign written after money; no control characters
    int16_t cycle_day = 1;   // day of the month a period starts; past the month's end: its last day
    double budget = 0;       // money per period; 0: none
    double cap_mb = 0;       // MB per period; 0: none
    int16_t alerts = 1;      // 1: tell at 80 % and 100 % of the budget and of the cap
    double plan_fee = 0;     // the plan's money per period, whatever the traffic
    double included_mb = 0;  // MB per period the plan's fee covers
    // The operator's balance by USSD, roaming and the metered mark of the link.
    QString balance_ussd;        // the code to ask, e.g. "*100#"; empty: never asked
    int32_t balance_every = 60;  // minutes between questions while connected
    double balance_low = 0;      // money; below it the user is told once; 0: never
    int16_t roaming_hangup = 0;  // 1: hang up at once when connected while roaming
    int32_t metered_at = 0;      // percent of budget or cap that marks the link metered; 0: never
};

// Every key of the file, in the record's order; the names are spelled once, in Settings.cpp.
enum class SettingKey {
    Type_tar,
    Transparent,
    auto_show,
    hide_start,
    full,
    back_color,
    fore_color,
    i_left,
    i_top,
    link_source,
    currency,
    cycle_day,
    budget,
    cap_mb,
    alerts,
    plan_fee,
    included_mb,
    balance_ussd,
    balance_every,
    balance_low,
    roaming_hangup,
    metered_at,
};

inline constexpr char kSettingsFile[] = "inet.conf";
// A settings file is a few hundred bytes; a larger one is not read, nor rewritten.
inline constexpr qint64 kSettingsFileLimit = kMiB;
// Beyond this a budget or a cap is a typing slip, not a limit.
inline constexpr double kLargestAmount = 1e12;

// A file that cannot be read loads as all default; the user is told once why, and once
// for each value of ours that is not understood.
Settings LoadSettings(const ProgramFolder& folder);

// Writes the fields of `values` named by `keys`, in that order, in one replacement of the
// file; every other line is kept. False with `error` when the file could not be read (it
// is then left alone) or written. Coordinates are written in `locale`, as they always were.
[[nodiscard]] bool SaveSettingKeys(const ProgramFolder& folder, const Settings& values,
                                   std::initializer_list<SettingKey> keys, QString* error = nullptr,
                                   const QLocale& locale = QLocale::c());

// Writes Type_tar and Transparent as handed in (the settings window's controls) and
// auto_show, hide_start, full from the record.
[[nodiscard]] bool SaveSettings(const ProgramFolder& folder, const Settings& settings,
                                int tariffTypeIndex, int opacity, QString* error = nullptr);

// Writes the indicator's top and left edges (twips, as single-precision number texts in
// `locale`) to i_top and i_left.
[[nodiscard]] bool SaveIndicatorPosition(const ProgramFolder& folder, float leftTwips,
                                         float topTwips, const QLocale& locale,
                                         QString* error = nullptr);

// Which of a connection's two costs is its money: the time cost under a price per hour
// (any Type_tar but 0), the traffic cost under a price per MB.
inline float ConnectionCost(int32_t tariffType, float trafficCost, float timeCost) {
    return tariffType != 0 ? timeCost : trafficCost;
}
