// SPDX-License-Identifier: GPL-3.0-or-later
// Labels and buttons over ModemFeatures, redrawn when it changes.
#include "modem/ui/ModemRows.h"

#include "modem/ModemFeatures.h"

#include <QLabel>
#include <QPushButton>
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

ModemRows::ModemRows(ModemFeatures& features, QLocale locale, std::function<QString()> currency,
                     std::function<QString()> span, QWidget* parent)
    : QWidget(parent),
      features_(features),
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
