// SPDX-License-Identifier: GPL-3.0-or-later
// Labels and buttons over ModemFeatures, redrawn when it changes.
#include "modem/ui/ModemRows.h"

#include "core/Numbers.h"
#include "modem/ModemFeatures.h"
#include "modem/ModemSettings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLabel* AddLabel(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAccessibleName(accessibleName);
    return label;
}

}  // namespace

ModemRows::ModemRows(ModemFeatures& features, ProgramFolder folder, QLocale locale,
                     std::function<QString()> currency, std::function<QString()> span,
                     QWidget* parent)
    : QWidget(parent),
      features_(features),
      folder_(std::move(folder)),
      locale_(std::move(locale)),
      currency_(std::move(currency)),
      span_(std::move(span)) {
    setObjectName(QStringLiteral("modemRows"));
    balance_ = AddLabel("balance", tr("Баланс у оператора"), this);
    spanLine_ = AddLabel("balanceSpan", tr("Расход по оператору и по счётчику"), this);
    balanceMessage_ = AddLabel("balanceMessage", tr("Сообщение о балансе"), this);
    ask_ = new QPushButton(tr("Спросить &баланс сейчас"), this);
    ask_->setObjectName(QStringLiteral("askBalance"));
    ask_->setAccessibleDescription(tr("Спросить баланс у оператора запросом USSD через модем"));
    ask_->setAutoDefault(false);
    metered_ = AddLabel("metered", tr("Лимитное ли подключение"), this);
    mark_ = new QPushButton(tr("Считать подключение лимитным"), this);
    mark_->setObjectName(QStringLiteral("markMetered"));
    mark_->setAccessibleDescription(
        tr("Отметить подключение в NetworkManager лимитным: программы обновления и магазины "
           "приложений отложат загрузки"));
    mark_->setAutoDefault(false);
    meteredMessage_ = AddLabel("meteredMessage", tr("Сообщение о лимитном подключении"), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : std::initializer_list<QWidget*>{balance_, spanLine_, balanceMessage_,
                                                           ask_, metered_, mark_, meteredMessage_})
        layout->addWidget(widget);
    BuildFields();
    connect(ask_, &QPushButton::clicked, &features_, &ModemFeatures::AskBalanceNow);
    connect(mark_, &QPushButton::clicked, &features_, &ModemFeatures::MarkMetered);
    connect(&features_, &ModemFeatures::changed, this, &ModemRows::Refresh);
    Refresh();
}

void ModemRows::Refresh() {
    const auto& balance = features_.Balance();
    balance_->setText(balance ? BalanceLine(*balance, currency_(), locale_)
                              : tr("Баланс: не известен"));
    balance_->setToolTip(balance ? balance->text : QString());
    const QString span = span_();
    spanLine_->setText(span);
    spanLine_->setVisible(!span.isEmpty());
    balanceMessage_->setText(features_.Asking() ? tr("Вопрос оператору отправлен…")
                                                : features_.BalanceMessage());
    ask_->setEnabled(!features_.Asking());
    const ModemSighting& sighting = features_.Sighting();
    QString metered =
        tr("NetworkManager считает подключение: %1").arg(MeteredText(sighting.metered));
    if (features_.Roaming()) metered += u'\n' + tr("В роуминге: %1").arg(features_.OperatorName());
    if (sighting.connection == 0)
        metered = tr("Нет подключения.");
    else if (sighting.profile.isEmpty())
        metered = tr("Подключение не от NetworkManager.");
    metered_->setText(metered);
    mark_->setEnabled(!sighting.profile.isEmpty() && !IsMeteredYes(sighting.metered));
    meteredMessage_->setText(features_.MeteredMessage());
}

// The keys, read from the settings file now; saved only when all are sound.
void ModemRows::BuildFields() {
    const Settings saved = LoadSettings(folder_);
    code_ = new QLineEdit(saved.balance_ussd, this);
    code_->setObjectName(QStringLiteral("balanceUssd"));
    code_->setPlaceholderText(tr("не спрашивать"));
    code_->setAccessibleName(tr("Код USSD для баланса"));
    every_ = new QSpinBox(this);
    every_->setObjectName(QStringLiteral("balanceEvery"));
    every_->setRange(kShortestBalanceEvery, 24 * 60);
    every_->setValue(saved.balance_every);
    every_->setSuffix(tr(" мин"));
    every_->setAccessibleName(tr("Спрашивать баланс каждые, минут"));
    low_ = new QLineEdit(saved.balance_low > 0 ? NumberText(saved.balance_low, locale_) : QString(),
                         this);
    low_->setObjectName(QStringLiteral("balanceLow"));
    low_->setPlaceholderText(tr("не предупреждать"));
    low_->setAccessibleName(tr("Предупреждать, когда баланс ниже"));
    hangUp_ = new QCheckBox(tr("Разрывать подключение в роуминге"), this);
    hangUp_->setObjectName(QStringLiteral("roamingHangup"));
    hangUp_->setChecked(saved.roaming_hangup == 1);
    meteredAt_ = new QSpinBox(this);
    meteredAt_->setObjectName(QStringLiteral("meteredAt"));
    meteredAt_->setRange(0, 100);
    meteredAt_->setValue(saved.metered_at);
    meteredAt_->setSuffix(tr(" %"));
    meteredAt_->setSpecialValueText(tr("никогда"));
    meteredAt_->setAccessibleName(tr("Считать лимитным с доли бюджета или лимита"));
    auto* save = new QPushButton(tr("Сохранить настройки баланса"), this);
    save->setObjectName(QStringLiteral("saveModem"));
    save->setAutoDefault(false);
    saveMessage_ = AddLabel("modemSaveMessage", tr("Сообщение о настройках баланса"), this);

    auto* form = new QFormLayout;
    form->addRow(tr("Код USSD баланса:"), code_);
    form->addRow(tr("Спрашивать каждые:"), every_);
    form->addRow(tr("Предупреждать ниже:"), low_);
    form->addRow(tr("Лимитное с:"), meteredAt_);
    form->addRow(hangUp_);
    form->addRow(save);
    form->addRow(saveMessage_);
    static_cast<QVBoxLayout*>(layout())->addLayout(form);
    connect(save, &QPushButton::clicked, this, &ModemRows::Save);
}

bool ModemRows::Save() {
    const ModemCheck check = CheckModemInput(
        {code_->text(), every_->value(), low_->text(), hangUp_->isChecked(), meteredAt_->value()},
        locale_);
    QString error = check.error;
    if (check.values && SaveModemSettings(folder_, *check.values, &error)) {
        saveMessage_->setStyleSheet(QString());
        saveMessage_->setText(tr("Сохранено."));
        return true;
    }
    saveMessage_->setStyleSheet(QStringLiteral("color: #b71c1c;"));
    saveMessage_->setText(error);
    return false;
}
