// SPDX-License-Identifier: GPL-3.0-or-later
// Checking and storing the operator keys.
#include "modem/ModemSettings.h"

#include "core/Numbers.h"
#include "modem/ModemFeatures.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

constexpr int kLongestEvery = 24 * 60;

}  // namespace

ModemCheck CheckModemInput(const ModemInput& input, const QLocale& locale) {
    ModemCheck check;
    const QString code = input.code.trimmed();
    // What a keypad sends: a star or hash first, digits, stars and hashes, a hash last.
    static const QRegularExpression ussd(QStringLiteral("^[*#][0-9*#+]{0,180}#$"));
    if (!code.isEmpty() && !ussd.match(code).hasMatch()) {
        check.error = QCoreApplication::translate(
                          "ModemSettings",
                          "Код USSD набирается звёздочками, решётками и цифрами и кончается "
                          "решёткой, например *100#; «%1» не такой код.")
                          .arg(code);
        return check;
    }
    if (input.everyMinutes < kShortestBalanceEvery || input.everyMinutes > kLongestEvery) {
        check.error = QCoreApplication::translate("ModemSettings",
                                                  "Спрашивать баланс можно раз в %1–%2 минут.")
                          .arg(kShortestBalanceEvery)
                          .arg(kLongestEvery);
        return check;
    }
    double low = 0;
    if (!input.low.trimmed().isEmpty()) {
        std::optional<double> value = ReadLocaleNumber(input.low.trimmed(), locale);
        if (!value) value = ReadLocaleNumber(input.low.trimmed(), QLocale::c());
        if (!value || *value < 0 || *value > kLargestAmount) {
            check.error = QCoreApplication::translate(
                              "ModemSettings",
                              "Порог баланса — неотрицательное число, например 50; «%1» не "
                              "подходит.")
                              .arg(input.low.trimmed());
            return check;
        }
        low = *value;
    }
    if (input.meteredAt < 0 || input.meteredAt > 100) {
        check.error = QCoreApplication::translate("ModemSettings",
                                                  "Доля бюджета или лимита — от 0 до 100 %.");
        return check;
    }
    Settings values;
    values.balance_ussd = code;
    values.balance_every = input.everyMinutes;
    values.balance_low = low;
    values.roaming_hangup = input.roamingHangUp ? 1 : 0;
    values.metered_at = input.meteredAt;
    check.values = values;
    return check;
}

bool SaveModemSettings(const ProgramFolder& folder, const Settings& values, QString* error) {
    return SaveSettingKeys(
        folder, values,
        {SettingKey::balance_ussd, SettingKey::balance_every, SettingKey::balance_low,
         SettingKey::roaming_hangup, SettingKey::metered_at},
        error);
}
