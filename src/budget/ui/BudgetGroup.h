// SPDX-License-Identifier: GPL-3.0-or-later
// The "Бюджет" group of the history window: billing day, budget, cap, alerts and the
// plan's fee and included volume, with the period's bill.
#pragma once

#include "budget/BillingPeriod.h"
#include "core/ProgramFolder.h"

#include <QGroupBox>
#include <QLocale>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Shows the stored limits; "Сохранить" checks the fields and, only when all are sound,
// writes them into the settings file. A refusal or a failed write is told in the group.
class BudgetGroup : public QGroupBox {
    Q_OBJECT
public:
    BudgetGroup(ProgramFolder folder, QLocale locale, QWidget* parent = nullptr);

    void ShowLimits(const PeriodLimits& limits);
    void ShowBill(const QString& text);
    void AddRow(QWidget* row);  // a row of its own below the others
    bool Save();                // true when the settings file now holds the fields

Q_SIGNALS:
    void saved();

private:
    ProgramFolder folder_;
    QLocale locale_;
    QSpinBox* cycleDay_;
    QLineEdit* budget_;
    QLineEdit* capMb_;
    QCheckBox* alerts_;
    QLineEdit* planFee_;
    QLineEdit* includedMb_;
    QLabel* bill_;
    QPushButton* save_;
    QLabel* message_;
};
