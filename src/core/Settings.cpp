// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving the settings record.
#include "core/Settings.h"

#include "core/FileNotices.h"
#include "core/IniFile.h"
#include "core/Numbers.h"
#include "core/ProgramFolder.h"

namespace {

IniFile LoadSettingsFile(const ProgramFolder& folder) {
    IniFile ini = IniFile::Load(folder.AppFilePath(kSettingsFile), kSettingsFileLimit);
    NoticeFileProblem(ini.ReadProblem());  // read at every tick, told once
    return ini;
}

// Every save sets its keys in one replacement of the file.
template <typename SetKeys>
bool SaveKeys(const ProgramFolder& folder, QString* error, SetKeys setKeys) {
    const QString path = folder.AppFilePath(kSettingsFile);
    IniFile ini = IniFile::Load(path, kSettingsFileLimit);
    setKeys(ini);
    return ini.Save(path, error);
}

}  // namespace

Settings LoadSettings(const ProgramFolder& folder) {
    const IniFile ini = LoadSettingsFile(folder);
    const auto number = [&](const char* key) {
        return ReadNumber(ini.Value(kSettingsSection, key));
    };
    Settings s;
    s.Type_tar = RoundToInt32(number("Type_tar"));
    s.Transparent = RoundToInt16(number("Transparent"));
    s.auto_show = RoundToInt16(number("auto_show"));
    s.hide_start = RoundToInt16(number("hide_start"));
    s.full = RoundToInt16(number("full"));
    s.back_color = RoundToInt32(number("back_color"));
    s.fore_color = RoundToInt32(number("fore_color"));
    if (s.Transparent < 0 || s.Transparent > 255) s.Transparent = 255;
    const auto numberOr = [&](const char* key, double missing) {
        const QString text = ini.Value(kSettingsSection, key);
        return text.isEmpty() ? missing : ReadNumber(text);
    };
    s.cycle_day = RoundToInt16(numberOr("cycle_day", 1));
    s.budget = number("budget");
    s.cap_mb = number("cap_mb");
    s.plan_fee = number("plan_fee");
    s.included_mb = number("included_mb");
    s.alerts = RoundToInt16(numberOr("alerts", 1));
    return s;
}

QString ReadSetting(const ProgramFolder& folder, const QString& key) {
    return LoadSettingsFile(folder).Value(kSettingsSection, key);
}

bool SaveSettings(const ProgramFolder& folder, const Settings& settings, int tariffTypeIndex,
                  int opacity, QString* error) {
    return SaveKeys(folder, error, [&](IniFile& ini) {
        const auto set = [&](const char* key, int value) {
            ini.SetValue(kSettingsSection, key, QString::number(value));
        };
        set("Type_tar", tariffTypeIndex);
        set("Transparent", opacity);
        set("auto_show", settings.auto_show);
        set("hide_start", settings.hide_start);
        set("full", settings.full);
    });
}

bool SaveIndicatorPosition(const ProgramFolder& folder, float leftTwips, float topTwips,
                           const QLocale& locale, QString* error) {
    return SaveKeys(folder, error, [&](IniFile& ini) {
        ini.SetValue(kSettingsSection, QStringLiteral("i_top"), NumberText(topTwips, locale));
        ini.SetValue(kSettingsSection, QStringLiteral("i_left"), NumberText(leftTwips, locale));
    });
}
