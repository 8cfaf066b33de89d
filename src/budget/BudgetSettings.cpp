// SPDX-License-Identifier: GPL-3.0-or-later
// Checking and storing the billing day, budget, cap and alerts.
#include "budget/BudgetSettings.h"

#include "core/Numbers.h"
#include "core/Settings.h"

#include <QCoreApplication>

namespace {

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
        *error = QCoreApplication::translate("BudgetSettings",
                                             "%1 должен быть числом, например %2; «%3» — не число.")
                     .arg(what, example, text.trimmed());
        return std::nullopt;
    }
    if (*value < 0) {
        *error =
            QCoreApplication::translate("BudgetSettings",
                                        "%1 не может быть отрицательным. Оставьте поле пустым или "
                                        "введите 0, если он не нужен.")
                .arg(what);
        return std::nullopt;
    }
    if (*value > kLargestAmount) {
        *error = QCoreApplication::translate("BudgetSettings", "%1 слишком велик: %2.")
                     .arg(what, text.trimmed());
        return std::nullopt;
    }
    return *value;
}

}  // namespace

BudgetCheck CheckBudgetInput(const BudgetInput& input, const QLocale& locale) {
    BudgetCheck check;
    if (input.cycleDay < 1 || input.cycleDay > 31) {
        check.error = QCoreApplication::translate("BudgetSettings",
                                                  "День начала периода — число от 1 до 31.");
        return check;
    }
    const QString moneyExample =
        QCoreApplication::translate("BudgetSettings", "500 или ") + locale.toString(499.9, 'f', 2);
    const std::optional<double> budget =
        Limit(input.budget, QCoreApplication::translate("BudgetSettings", "Бюджет"), moneyExample,
              locale, &check.error);
    if (!budget) return check;
    const std::optional<double> cap =
        Limit(input.capMb, QCoreApplication::translate("BudgetSettings", "Лимит трафика"),
              QStringLiteral("10240"), locale, &check.error);
    if (!cap) return check;
    const std::optional<double> fee = Limit(
        input.planFee, QCoreApplication::translate("BudgetSettings", "Размер абонентской платы"),
        moneyExample, locale, &check.error);
    if (!fee) return check;
    const std::optional<double> included =
        Limit(input.includedMb,
              QCoreApplication::translate("BudgetSettings", "Объём, включённый в плату"),
              QStringLiteral("10240"), locale, &check.error);
    if (!included) return check;
    check.limits =
        PeriodLimits{input.cycleDay, *budget, *cap, input.alerts, QString(), *fee, *included};
    return check;
}

QString LimitFieldText(double value, const QLocale& locale) {
    return value > 0 ? NumberText(value, locale) : QString();
}

bool SaveBudget(const ProgramFolder& folder, const PeriodLimits& limits, QString* error) {
    Settings values;
    values.cycle_day = int16_t(limits.cycleDay);
    values.budget = limits.budget;
    values.cap_mb = limits.capMb;
    values.alerts = limits.alerts ? 1 : 0;
    values.plan_fee = limits.planFee;
    values.included_mb = limits.includedMb;
    if (SaveSettingKeys(folder, values,
                        {SettingKey::cycle_day, SettingKey::budget, SettingKey::cap_mb,
                         SettingKey::alerts, SettingKey::plan_fee, SettingKey::included_mb},
                        error))
        return true;
    if (error)
        *error = QCoreApplication::translate("BudgetSettings", "Настройки не сохранены: ") + *error;
    return false;
}
