// The settings record and the configuration file "inet.conf" (section Vantoril).
#pragma once

#include <cstdint>

class ProgramFolder;

struct Settings {
    int32_t Type_tar = 0;      // 0: price per MB, 1: price per hour
    int16_t Transparent = 0;   // indicator opacity 0..255
    int16_t auto_show = 0;     // flags count as on only when exactly 1
    int16_t hide_start = 0;
    int16_t full = 0;
    int32_t back_color = 0;    // read, unused
    int32_t fore_color = 0;    // read, unused
    // The billing period; keys older versions do not know and leave alone.
    int16_t cycle_day = 1;  // day of the month a period starts; past the month's end: its last day
    double budget = 0;      // money per period; 0: none
    double cap_mb = 0;      // MB per period; 0: none
    int16_t alerts = 1;     // 1: tell at 80 % and 100 % of the budget and of the cap
};

inline constexpr char kSettingsFile[] = "inet.conf";
inline constexpr char kSettingsSection[] = "Vantoril";

Settings LoadSettings(const ProgramFolder& folder);

// Writes Type_tar and Transparent as handed in (the settings window's controls) and
// auto_show, hide_start, full from the record.
void SaveSettings(const ProgramFolder& folder, const Settings& settings, int tariffTypeIndex,
                  int opacity);
