// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving the settings record through one table of the file's keys.
#include "core/Settings.h"

#include "core/FileNotices.h"
#include "core/IniFile.h"
#include "core/Numbers.h"
#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <optional>
#include <type_traits>
#include <variant>

namespace {

const QString kSection = QStringLiteral("Vantoril");

// How a key's text becomes its field and its field a text.
enum class Reading {
    Number,  // the number-reading rule, rounded half to even to a whole field's width and
             // saturating; written as a whole number, or a single-precision one in the locale
    Amount,  // either decimal separator; none (0) below a hundredth, at most kLargestAmount;
             // written with a decimal point
    Plan,    // as Amount, but the whole text must be such a number: anything else is said
             // once and gives none
    YesNo,   // yes/no, true/false, 1/0 as 1 or 0; anything else is said once and gives the
             // default
    Text,    // as it stands
    Sign,    // control characters dropped
};

using Field =
    std::variant<int16_t Settings::*, int32_t Settings::*, double Settings::*, QString Settings::*>;

struct KeyRule {
    SettingKey key;
    const char* name;
    Field field;
    Reading reading;
    const char* missing = "";  // the text a missing or empty value reads as
};

// ORDER: as SettingKey, so that a key is its own index here.
const KeyRule kKeys[] = {
    {SettingKey::Type_tar, "Type_tar", &Settings::Type_tar, Reading::Number},
    {SettingKey::Transparent, "Transparent", &Settings::Transparent, Reading::Number},
    {SettingKey::auto_show, "auto_show", &Settings::auto_show, Reading::Number},
    {SettingKey::hide_start, "hide_start", &Settings::hide_start, Reading::Number},
    {SettingKey::full, "full", &Settings::full, Reading::Number},
    {SettingKey::back_color, "back_color", &Settings::back_color, Reading::Number},
    {SettingKey::fore_color, "fore_color", &Settings::fore_color, Reading::Number},
    {SettingKey::i_left, "i_left", &Settings::i_left, Reading::Number},
    {SettingKey::i_top, "i_top", &Settings::i_top, Reading::Number},
    {SettingKey::link_source, "link_source", &Settings::link_source, Reading::Text},
    {SettingKey::currency, "currency", &Settings::currency, Reading::Sign},
    {SettingKey::cycle_day, "cycle_day", &Settings::cycle_day, Reading::Number, "1"},
    {SettingKey::budget, "budget", &Settings::budget, Reading::Amount},
    {SettingKey::cap_mb, "cap_mb", &Settings::cap_mb, Reading::Amount},
    {SettingKey::alerts, "alerts", &Settings::alerts, Reading::YesNo, "1"},
    {SettingKey::plan_fee, "plan_fee", &Settings::plan_fee, Reading::Plan},
    {SettingKey::included_mb, "included_mb", &Settings::included_mb, Reading::Plan},
};

const KeyRule& RuleOf(SettingKey key) {
    const KeyRule& rule = kKeys[int(key)];
    Q_ASSERT(rule.key == key);
    return rule;
}

double Amount(QString text) {
    if (!text.contains(u'.')) text.replace(u',', u'.');
    const double value = ReadNumber(text);
    if (!(value >= 0.01)) return 0;  // negative, not a number, or no money at all
    return std::min(value, kLargestAmount);
}

// An amount that is the whole text and within range; nothing for anything else.
std::optional<double> WholeAmount(QString text) {
    text = text.trimmed();
    if (!text.contains(u'.')) text.replace(u',', u'.');
    bool number = false;
    const double value = QLocale::c().toDouble(text, &number);
    if (!number || !(value >= 0) || value > kLargestAmount) return std::nullopt;
    return Amount(text);
}

std::optional<int16_t> YesNo(const QString& text) {
    const QString word = text.trimmed().toLower();
    if (word == u"yes" || word == u"true" || word == u"1") return 1;
    if (word == u"no" || word == u"false" || word == u"0") return 0;
    return std::nullopt;
}

QString WithoutControls(const QString& text) {
    QString kept;
    for (const QChar c : text)
        if (c.category() != QChar::Other_Control) kept += c;
    return kept;
}

class Reader {
public:
    Reader(const IniFile& ini, QString path) : ini_(ini), path_(std::move(path)) {}

    void Fill(Settings& settings, const KeyRule& rule) const {
        QString text = ini_.Value(kSection, QLatin1String(rule.name));
        if (text.isEmpty()) text = QLatin1String(rule.missing);
        std::visit([&](auto field) { settings.*field = Value(settings.*field, rule, text); },
                   rule.field);
    }

private:
    int16_t Value(int16_t, const KeyRule& rule, const QString& text) const {
        if (rule.reading != Reading::YesNo) return RoundToInt16(ReadNumber(text));
        if (const std::optional<int16_t> value = YesNo(text)) return *value;
        const int16_t missing = *YesNo(QLatin1String(rule.missing));
        NoticeFileProblem(
            QCoreApplication::translate("Settings",
                                        "В файле «%1» значение %2=%3 не понято: допустимы yes, "
                                        "no, true, false, 1 и 0. Принято %4.")
                .arg(QDir::toNativeSeparators(path_), QLatin1String(rule.name), text,
                     QString::number(missing)));
        return missing;
    }
    static int32_t Value(int32_t, const KeyRule&, const QString& text) {
        return RoundToInt32(ReadNumber(text));
    }
    double Value(double, const KeyRule& rule, const QString& text) const {
        if (rule.reading == Reading::Amount) return Amount(text);
        if (rule.reading != Reading::Plan) return ReadNumber(text);
        if (text.isEmpty()) return 0;
        if (const std::optional<double> value = WholeAmount(text)) return *value;
        NoticeFileProblem(
            QCoreApplication::translate("Settings",
                                        "В файле «%1» значение %2=%3 не понято: нужно "
                                        "неотрицательное число, например 300 или 299.90. "
                                        "Принято 0.")
                .arg(QDir::toNativeSeparators(path_), QLatin1String(rule.name), text));
        return 0;
    }
    static QString Value(const QString&, const KeyRule& rule, const QString& text) {
        return rule.reading == Reading::Sign ? WithoutControls(text) : text;
    }
    const IniFile& ini_;
    QString path_;
};

QString Text(const Settings& values, const KeyRule& rule, const QLocale& locale) {
    return std::visit(
        [&](auto field) -> QString {
            const auto& value = values.*field;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, QString>) {
                return value;
            } else if constexpr (std::is_same_v<T, double>) {
                // Amounts with a point, read so whatever the locale; coordinates as the
                // single-precision texts of the user's locale they always were.
                return rule.reading == Reading::Number ? NumberText(float(value), locale)
                                                       : NumberText(value, QLocale::c());
            } else {
                return QString::number(value);
            }
        },
        rule.field);
}

}  // namespace

Settings LoadSettings(const ProgramFolder& folder) {
    const QString path = folder.AppFilePath(QLatin1String(kSettingsFile));
    const IniFile ini = IniFile::Load(path, kSettingsFileLimit);
    NoticeFileProblem(ini.ReadProblem());  // read at every tick, told once
    const Reader reader(ini, path);
    Settings s;
    for (const KeyRule& rule : kKeys) reader.Fill(s, rule);
    if (s.Transparent < 0 || s.Transparent > 255) s.Transparent = 255;
    return s;
}

bool SaveSettingKeys(const ProgramFolder& folder, const Settings& values,
                     std::initializer_list<SettingKey> keys, QString* error,
                     const QLocale& locale) {
    const QString path = folder.AppFilePath(QLatin1String(kSettingsFile));
    IniFile ini = IniFile::Load(path, kSettingsFileLimit);
    for (const SettingKey key : keys) {
        const KeyRule& rule = RuleOf(key);
        ini.SetValue(kSection, QLatin1String(rule.name), Text(values, rule, locale));
    }
    return ini.Save(path, error);
}

bool SaveSettings(const ProgramFolder& folder, const Settings& settings, int tariffTypeIndex,
                  int opacity, QString* error) {
    Settings values = settings;
    values.Type_tar = tariffTypeIndex;
    values.Transparent = int16_t(opacity);
    return SaveSettingKeys(folder, values,
                           {SettingKey::Type_tar, SettingKey::Transparent, SettingKey::auto_show,
                            SettingKey::hide_start, SettingKey::full},
                           error);
}

bool SaveIndicatorPosition(const ProgramFolder& folder, float leftTwips, float topTwips,
                           const QLocale& locale, QString* error) {
    Settings values;
    values.i_left = leftTwips;
    values.i_top = topTwips;
    return SaveSettingKeys(folder, values, {SettingKey::i_top, SettingKey::i_left}, error, locale);
}
