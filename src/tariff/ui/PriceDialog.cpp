// SPDX-License-Identifier: GPL-3.0-or-later
// The price dialog: a field that takes only digits and the decimal separator.
#include "tariff/ui/PriceDialog.h"

#include "core/Settings.h"
#include "core/ui/Twips.h"
#include "core/ui/WindowLook.h"
#include "tariff/PriceText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

namespace {

// Keys that edit, move or close the dialog rather than type a character, though some
// platforms attach a control character to them.
bool IsNonCharacterKey(int key) {
    return key == Qt::Key_Delete || key == Qt::Key_Return || key == Qt::Key_Enter ||
           key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

}  // namespace

PriceDialog::PriceDialog(ProgramFolder folder, QLocale locale, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      folder_(std::move(folder)),
      locale_(std::move(locale)),
      controls_(new QWidget(this)),
      priceField_(new QLineEdit(controls_)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(tr("Введите данные"));
    setAccessibleName(tr("Цена"));
    setAccessibleDescription(tr("Цена одного класса тарифа"));
    controls_->setFixedSize(Twips(2940), Twips(975));
    setFixedSize(controls_->size());

    priceField_->setObjectName(QStringLiteral("Text1"));
    priceField_->setGeometry(TwipsRect(120, 120, 2655, 285));
    priceField_->installEventFilter(this);
    priceField_->setAccessibleName(tr("Цена"));
    priceField_->setAccessibleDescription(tr("Только цифры и десятичный разделитель"));

    auto* ok = new QPushButton(tr("ОК"), controls_);
    ok->setObjectName(QStringLiteral("Command2"));
    ok->setGeometry(TwipsRect(960, 480, 855, 375));
    ok->setDefault(true);
    ok->setAccessibleDescription(tr("Принять цену"));
    connect(ok, &QPushButton::clicked, this, &PriceDialog::Confirm);

    auto* cancel = new QPushButton(tr("Отмена"), controls_);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setGeometry(TwipsRect(1920, 480, 855, 375));
    cancel->setAccessibleDescription(tr("Оставить прежнюю цену"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString PriceDialog::InputMsg(const QString& text) {
    priceField_->setText(text);
    priceField_->selectAll();
    // The type is read afresh: the settings window stores it just before the editor opens.
    const bool perHour = LoadSettings(folder_).Type_tar == 1;
    // Both captions begin with the Latin capital C.
    setWindowTitle(perHour ? tr("Cтоимость часа") : tr("Cтоимость МБ"));
    setAccessibleName(windowTitle());
    FitCaption();
    CentreOnScreen(*this);
    return exec() == QDialog::Accepted ? priceField_->text() : QString();
}

void PriceDialog::FitCaption() {
    // The window manager draws the caption beside its icon and up to four buttons, in a
    // font of its own, often larger and bold: at the laid-out width openbox showed
    // "Cтоим…ть МБ". The window widens to leave room for all of them, with a quarter to
    // spare for the other font, the controls centred in it.
    QFont bold = font();
    bold.setBold(true);
    const int text = QFontMetrics(bold).horizontalAdvance(windowTitle());
    const int decorations = 6 * style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int width = std::max(controls_->width(), text * 5 / 4 + decorations);
    setFixedSize(width, controls_->height());
    controls_->move((width - controls_->width()) / 2, 0);
}

void PriceDialog::Confirm() {
    const QString text = priceField_->text();
    const QString problem = text.isEmpty() ? QString() : PriceTextError(text, locale_);
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Vantoril"), problem);
        priceField_->setFocus();
        return;
    }
    accept();
}

bool PriceDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == priceField_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        // Every typed character but a digit and the separator is dropped, Backspace and
        // control shortcuts included; Delete and the arrows work as usual.
        if (!typed.isEmpty() && !IsNonCharacterKey(key->key()))
            return !(typed.size() == 1 && IsPriceCharacter(typed.front(), locale_));
    }
    return QDialog::eventFilter(watched, event);
}
