// SPDX-License-Identifier: GPL-3.0-or-later
// The connection window: its list, the currency field and the saving of both.
#include "settings/ui/ConnectionWindow.h"

#include "core/Settings.h"
#include "core/ui/WindowLook.h"
#include "link/LinkChoices.h"
#include "link/LinkSourceFactory.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kSettingRole = Qt::UserRole;

template <typename Control>
Control* Named(Control* control, const char* objectName, const QString& name,
               const QString& description) {
    control->setObjectName(QLatin1String(objectName));
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
    return control;
}
}  // namespace

ConnectionWindow::ConnectionWindow(ProgramFolder folder, QDBusConnection systemBus,
                                   const KernelPaths& kernelPaths, QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)) {
    setObjectName(QStringLiteral("ConnectionWindow"));
    setWindowTitle(tr("Подключение"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(tr("Какое подключение учитывает программа, и знак валюты"));
    UseDialogFont(*this);
    const Settings settings = LoadSettings(folder_);
    setting_ = settings.link_source;

    list_ = Named(new QListWidget(this), "ListConnections", tr("Подключение"),
                  tr("Подключения, которые программа может учитывать сейчас"));
    auto* listCaption = new QLabel(tr("&Учитывать подключение:"), this);
    listCaption->setBuddy(list_);
    status_ = Named(new QLabel(tr("Поиск подключений NetworkManager…"), this), "LabelSearch",
                    tr("Состояние"), tr("Что сказал NetworkManager"));
    status_->setWordWrap(true);
    currency_ = Named(new QLineEdit(settings.currency, this), "TextCurrency", tr("Валюта"),
                      tr("Знак, который пишется после денежных сумм"));
    currency_->setMaxLength(16);
    auto* currencyCaption = new QLabel(tr("&Валюта:"), this);
    currencyCaption->setBuddy(currency_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Named(buttons->button(QDialogButtonBox::Ok), "CommandOk", tr("OK"),
          tr("Сохранить выбор; программа сразу начнёт учитывать это подключение"));
    Named(buttons->button(QDialogButtonBox::Cancel), "CommandCancel", tr("Отмена"),
          tr("Закрыть окно, ничего не меняя"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* currencyRow = new QFormLayout;
    currencyRow->addRow(currencyCaption, currency_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listCaption);
    layout->addWidget(list_);
    layout->addWidget(status_);
    layout->addLayout(currencyRow);
    layout->addWidget(buttons);

    kernel_ = KernelChoices(kernelPaths);
    Fill({}, setting_);
    list_->setFocus();
    new NetworkManagerChoices(
        std::move(systemBus),
        [this](const std::vector<LinkChoice>& found, bool answered) {
            status_->setText(answered ? QString()
                                      : tr("NetworkManager не отвечает: его подключений нет в "
                                           "списке."));
            status_->setVisible(!answered);
            Fill(found, Selected());
        },
        this);
}

void ConnectionWindow::Fill(const std::vector<LinkChoice>& networkManager,
                            const QString& selected) {
    std::vector<LinkChoice> choices{AutomaticChoice()};
    choices.insert(choices.end(), networkManager.begin(), networkManager.end());
    choices.insert(choices.end(), kernel_.begin(), kernel_.end());
    list_->clear();
    const auto add = [&](const QString& text, const QString& setting) {
        auto* item = new QListWidgetItem(text, list_);
        item->setData(kSettingRole, setting);
        if (SameLinkSource(setting, selected)) list_->setCurrentItem(item);
    };
    for (const LinkChoice& choice : choices) add(ChoiceText(choice), choice.setting);
    const bool listed = std::any_of(choices.begin(), choices.end(), [this](const LinkChoice& c) {
        return SameLinkSource(c.setting, setting_);
    });
    if (!listed) add(tr("%1 — как в файле настроек").arg(setting_), setting_);
}

QString ConnectionWindow::Selected() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(kSettingRole).toString() : setting_;
}

void ConnectionWindow::accept() {
    Settings values;
    // An unchanged choice is written as it was: "auto" and empty mean the same.
    values.link_source = SameLinkSource(Selected(), setting_) ? setting_ : Selected();
    values.currency = currency_->text().trimmed();
    QString error;
    if (!SaveSettingKeys(folder_, values, {SettingKey::link_source, SettingKey::currency},
                         &error)) {
        QMessageBox::warning(this, windowTitle(), tr("Настройки не сохранены: ") + error);
        return;
    }
    QDialog::accept();
}
