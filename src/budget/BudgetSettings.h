// SPDX-License-Identifier: GPL-3.0-or-later
// The budget settings as the user types them: checked in plain words, then stored in
// "inet.conf" beside the other settings.
#pragma once

#include "budget/BillingPeriod.h"

#include <QLocale>
#include <QString>

#include <optional>

class ProgramFolder;

// The fields as typed; an empty budget, cap, fee or volume means none.
struct BudgetInput {
    int cycleDay = 1;
    QString budget;
    QString capMb;
    bool alerts = true;
    QString planFee;
    QString includedMb;
};

// The limits, or why the input cannot be stored. Numbers are read in `locale` or with a
// decimal point; negative, non-numeric and absurdly large ones are refused.
struct BudgetCheck {
    std::optional<PeriodLimits> limits;
    QString error;
};
BudgetCheck CheckBudgetInput(const BudgetInput& input, const QLocale& locale);

// A stored limit as its field shows it: empty for none.
QString LimitFieldText(double value, const QLocale& locale);

// Writes cycle_day, budget, cap_mb, alerts, plan_fee and included_mb in one atomic replacement of
// the file, every other line kept. A settings file that exists but cannot be read is not touched.
[[nodiscard]] bool SaveBudget(const ProgramFolder& folder, const PeriodLimits& limits,
                              QString* error = nullptr);
