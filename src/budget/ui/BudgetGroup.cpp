// SPDX-License-Identifier: GPL-3.0-or-later
// The budget group: fields over BudgetSettings.
#include "budget/ui/BudgetGroup.h"

#include "budget/BudgetSettings.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

QLineEdit* AddNumberField(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(accessibleName);
    field->setPlaceholderText(QCoreApplication::translate("BudgetGroup", "не задан"));
    field->setClearButtonEnabled(true);
    // The clear button is a tool button of the field's own, nameless unless named here.
    for (QToolButton* clear : field->findChildren<QToolButton*>())
        clear->setAccessibleName(
            QCoreApplication::translate("BudgetGroup", "Очистить: %1").arg(accessibleName));
    return field;
}

}  // namespace

BudgetGroup::BudgetGroup(ProgramFolder folder, QLocale locale, QWidget* parent)
    : QGroupBox(tr("Бюджет"), parent), folder_(std::move(folder)), locale_(std::move(locale)) {
    setObjectName(QStringLiteral("budgetGroup"));
    cycleDay_ = new QSpinBox(this);
    cycleDay_->setObjectName(QStringLiteral("cycleDay"));
    cycleDay_->setRange(1, 31);
    cycleDay_->setAccessibleName(tr("День начала периода"));
    cycleDay_->setToolTip(
        tr("Число месяца, с которого начинается расчётный период; "
           "в коротком месяце — его последний день"));
    budget_ = AddNumberField("budget", tr("Бюджет на период"), this);
    capMb_ = AddNumberField("capMb", tr("Лимит трафика на период, МБ"), this);
    planFee_ = AddNumberField("planFee", tr("Абонентская плата за период"), this);
    planFee_->setPlaceholderText(tr("нет"));
    includedMb_ = AddNumberField("includedMb", tr("Трафик, включённый в плату, МБ"), this);
    includedMb_->setPlaceholderText(tr("нет"));
    includedMb_->setToolTip(
        tr("Столько мегабайт в начале каждого периода оплачены абонентской платой; "
           "трафик сверх них стоит по тарифу"));
    bill_ = new QLabel(this);
    bill_->setObjectName(QStringLiteral("bill"));
    bill_->setWordWrap(true);
    bill_->setAccessibleName(tr("Счёт за период"));
    alerts_ = new QCheckBox(tr("&Предупреждать при 80 % и 100 %"), this);
    alerts_->setObjectName(QStringLiteral("alerts"));
    alerts_->setAccessibleName(tr("Предупреждать при 80 % и 100 %"));
    alerts_->setAccessibleDescription(
        tr("Уведомления рабочего стола, когда расход доходит до 80 % и 100 % "
           "бюджета или лимита трафика"));
    save_ = new QPushButton(tr("&Сохранить"), this);
    save_->setObjectName(QStringLiteral("saveBudget"));
    save_->setAccessibleName(tr("Сохранить бюджет"));
    save_->setAccessibleDescription(
        tr("Записать день начала периода, бюджет, лимит, предупреждения, "
           "абонентскую плату и включённый трафик в inet.conf"));
    save_->setAutoDefault(false);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("budgetMessage"));
    message_->setWordWrap(true);
    message_->setAccessibleName(tr("Сообщение о бюджете"));

    auto* form = new QFormLayout(this);
    form->addRow(tr("&День начала периода:"), cycleDay_);
    form->addRow(tr("&Бюджет на период:"), budget_);
    form->addRow(tr("&Лимит трафика, МБ:"), capMb_);
    form->addRow(tr("&Абонентская плата:"), planFee_);
    form->addRow(tr("&Включено в плату, МБ:"), includedMb_);
    form->addRow(bill_);
    form->addRow(alerts_);
    form->addRow(save_);
    form->addRow(message_);
    connect(save_, &QPushButton::clicked, this, &BudgetGroup::Save);
    for (QLineEdit* field : {budget_, capMb_, planFee_, includedMb_})
        connect(field, &QLineEdit::returnPressed, this, &BudgetGroup::Save);
}

void BudgetGroup::ShowLimits(const PeriodLimits& limits) {
    cycleDay_->setValue(limits.cycleDay);
    budget_->setText(LimitFieldText(limits.budget, locale_));
    capMb_->setText(LimitFieldText(limits.capMb, locale_));
    alerts_->setChecked(limits.alerts);
    planFee_->setText(LimitFieldText(limits.planFee, locale_));
    includedMb_->setText(LimitFieldText(limits.includedMb, locale_));
}

void BudgetGroup::AddRow(QWidget* row) {
    static_cast<QFormLayout*>(layout())->addRow(row);
}

void BudgetGroup::ShowBill(const QString& text) {
    bill_->setText(text);
}

bool BudgetGroup::Save() {
    const BudgetCheck check =
        CheckBudgetInput({cycleDay_->value(), budget_->text(), capMb_->text(), alerts_->isChecked(),
                          planFee_->text(), includedMb_->text()},
                         locale_);
    QString error = check.error;
    if (check.limits && SaveBudget(folder_, *check.limits, &error)) {
        message_->setStyleSheet(QString());
        message_->setText(tr("Сохранено."));
        Q_EMIT saved();
        return true;
    }
    message_->setStyleSheet(QStringLiteral("color: #b71c1c;"));
    message_->setText(error);
    return false;
}
