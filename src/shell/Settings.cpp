// Loading and saving the settings record.
#include "Settings.h"

#include "IniFile.h"
#include "Numbers.h"
#include "ProgramFolder.h"

Settings LoadSettings(const ProgramFolder& folder) {
    const IniFile ini = IniFile::Load(folder.AppFilePath(kSettingsFile));
    const auto number = [&](const char* key) { return ReadNumber(ini.Value(kSettingsSection, key)); };
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
    s.alerts = RoundToInt16(numberOr("alerts", 1));
    return s;
}

void SaveSettings(const ProgramFolder& folder, const Settings& settings, int tariffTypeIndex,
                  int opacity) {
    // Five single-key updates, made in one atomic replacement of the file.
    const QString path = folder.AppFilePath(kSettingsFile);
    IniFile ini = IniFile::Load(path);
    const auto set = [&](const char* key, int value) {
        ini.SetValue(kSettingsSection, key, QString::number(value));
    };
    set("Type_tar", tariffTypeIndex);
    set("Transparent", opacity);
    set("auto_show", settings.auto_show);
    set("hide_start", settings.hide_start);
    set("full", settings.full);
    ini.Save(path);
}
