// SPDX-License-Identifier: GPL-3.0-or-later
// The settings record and the configuration file "inet.conf" (section Vantoril).
#pragma once

#include "core/RegularFile.h"

#include <QLocale>
#include <QString>

#include <cstdint>

class ProgramFolder;

struct Settings {
    int32_t Type_tar = 0;     // 0: price per MB, 1: price per hour
    int16_t Transparent = 0;  // indicator opacity 0..255
    int16_t auto_show = 0;    // flags count as on only when exactly 1
    int16_t hide_start = 0;
    int16_t full = 0;
    int32_t back_color = 0;  // read, unused
    int32_t fore_color = 0;  // read, unused
    // The billing period; keys older versions do not know and leave alone.
    int16_t cycle_day = 1;   // day of the month a period starts; past the month's end: its last day
    double budget = 0;       // money per period; 0: none
    double cap_mb = 0;       // MB per period; 0: none
    double plan_fee = 0;     // the plan's money per period, whatever the traffic
    double included_mb = 0;  // MB per period the plan's fee covers
    int16_t alerts = 1;      // 1: tell at 80 % and 100 % of the budget and of the cap
};

inline constexpr char kSettingsFile[] = "inet.conf";
inline constexpr char kSettingsSection[] = "Vantoril";
// A settings file is a few hundred bytes; a larger one is not read, nor rewritten.
inline constexpr qint64 kSettingsFileLimit = kMiB;

// A file that cannot be read loads as all zero; the user is told once why.
Settings LoadSettings(const ProgramFolder& folder);
// One key of section Vantoril, as ReadIni gives it; empty when the file cannot be read.
QString ReadSetting(const ProgramFolder& folder, const QString& key);

// Writes Type_tar and Transparent as handed in (the settings window's controls) and
// auto_show, hide_start, full from the record, in one replacement of the file. False with
// `error` when the file could not be read (it is then left alone) or written.
[[nodiscard]] bool SaveSettings(const ProgramFolder& folder, const Settings& settings,
                                int tariffTypeIndex, int opacity, QString* error = nullptr);

// Writes the indicator's top and left edges (twips, as single-precision number texts in
// `locale`) to i_top and i_left, in one replacement of the file, with the same refusals.
[[nodiscard]] bool SaveIndicatorPosition(const ProgramFolder& folder, float leftTwips,
                                         float topTwips, const QLocale& locale,
                                         QString* error = nullptr);
