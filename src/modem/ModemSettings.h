// SPDX-License-Identifier: GPL-3.0-or-later
// The balance, roaming and metered keys as the window's fields give them: checked in
// plain words, then stored in "inet.conf" beside the other settings.
#pragma once

#include "core/Settings.h"

#include <QLocale>
#include <QString>

#include <optional>

class ProgramFolder;

struct ModemInput {
    QString code;  // empty: the balance is never asked
    int everyMinutes = 60;
    QString low;  // empty: no alert
    bool roamingHangUp = false;
    int meteredAt = 0;
};

// The keys' values, or why the input cannot be stored.
struct ModemCheck {
    std::optional<Settings> values;
    QString error;
};
ModemCheck CheckModemInput(const ModemInput& input, const QLocale& locale);

// Writes balance_ussd, balance_every, balance_low, roaming_hangup and metered_at in one
// replacement of the file, every other line kept.
[[nodiscard]] bool SaveModemSettings(const ProgramFolder& folder, const Settings& values,
                                     QString* error = nullptr);
