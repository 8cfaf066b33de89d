// SPDX-License-Identifier: GPL-3.0-or-later
// Checking and storing the billing day, budget, cap and alerts.
#include "budget/BudgetSettings.h"

#include "core/IniFile.h"
#include "core/Numbers.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Beyond this a limit is a typing slip, not a budget.
constexpr double kLargestLimit = 1e12;

// The number typed into a field; nothing when it is not one.
std::optional<double> Typed(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (std::optional<double> value = ReadLocaleNumber(trimmed, locale)) return value;
    return ReadLocaleNumber(trimmed, QLocale::c());
}

// Checks one limit field: the value, or the refusal in `error`.
std::optional<double> Limit(const QString& text, const QString& what, const QString& example,
                            const QLocale& locale, QString* error) {
    if (text.trimmed().isEmpty()) return 0.0;
    const std::optional<double> value = Typed(text, locale);
    if (!value) {
        *error = QStringLiteral("%1 должен быть числом, например %2; «%3» — не число.")
                     .arg(what, example, text.trimmed());
        return std::nullopt;
    }
    if (*value < 0) {
        *error = QStringLiteral(
                     "%1 не может быть отрицательным. Оставьте поле пустым или "
                     "введите 0, если он не нужен.")
                     .arg(what);
        return std::nullopt;
    }
    if (*value > kLargestLimit) {
        *error = QStringLiteral("%1 слишком велик: %2.").arg(what, text.trimmed());
        return std::nullopt;
    }
    return *value;
}

}  // namespace

BudgetCheck CheckBudgetInput(const BudgetInput& input, const QLocale& locale) {
    BudgetCheck check;
    if (input.cycleDay < 1 || input.cycleDay > 31) {
        check.error = QStringLiteral("День начала периода — число от 1 до 31.");
        return check;
    }
    const QString moneyExample = QStringLiteral("500 или ") + locale.toString(499.9, 'f', 2);
    const std::optional<double> budget =
        Limit(input.budget, QStringLiteral("Бюджет"), moneyExample, locale, &check.error);
    if (!budget) return check;
    const std::optional<double> cap = Limit(input.capMb, QStringLiteral("Лимит трафика"),
                                            QStringLiteral("10240"), locale, &check.error);
    if (!cap) return check;
    const std::optional<double> fee =
        Limit(input.planFee, QStringLiteral("Размер абонентской платы"), moneyExample, locale,
              &check.error);
    if (!fee) return check;
    const std::optional<double> included =
        Limit(input.includedMb, QStringLiteral("Объём, включённый в плату"),
              QStringLiteral("10240"), locale, &check.error);
    if (!included) return check;
    check.limits = PeriodLimits{input.cycleDay, *budget, *cap, input.alerts, *fee, *included};
    return check;
}

QString LimitFieldText(double value, const QLocale& locale) {
    return value > 0 ? NumberText(value, locale) : QString();
}

bool SaveBudget(const ProgramFolder& folder, const PeriodLimits& limits, QString* error) {
    const QString path = folder.AppFilePath(QLatin1String(kSettingsFile));
    // Loaded as empty, an unreadable file would be replaced by the four keys alone.
    QFile existing(path);
    if (existing.exists() && !existing.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Настройки не сохранены: файл «%1» нельзя прочитать (%2).")
                         .arg(QDir::toNativeSeparators(path), existing.errorString());
        return false;
    }
    existing.close();
    IniFile ini = IniFile::Load(path);
    const QString section = QLatin1String(kSettingsSection);
    // Stored with a decimal point: the settings are read that way whatever the locale.
    ini.SetValue(section, QStringLiteral("cycle_day"), QString::number(limits.cycleDay));
    ini.SetValue(section, QStringLiteral("budget"), NumberText(limits.budget, QLocale::c()));
    ini.SetValue(section, QStringLiteral("cap_mb"), NumberText(limits.capMb, QLocale::c()));
    ini.SetValue(section, QStringLiteral("alerts"),
                 limits.alerts ? QStringLiteral("1") : QStringLiteral("0"));
    ini.SetValue(section, QStringLiteral("plan_fee"), NumberText(limits.planFee, QLocale::c()));
    ini.SetValue(section, QStringLiteral("included_mb"),
                 NumberText(limits.includedMb, QLocale::c()));
    return ini.Save(path, error);
}
