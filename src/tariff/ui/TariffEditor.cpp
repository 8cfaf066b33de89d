// SPDX-License-Identifier: GPL-3.0-or-later
// The tariff editor window and its handling of clicks, prices and saving.
#include "tariff/ui/TariffEditor.h"

#include "core/Numbers.h"
#include "core/ui/MenuKey.h"
#include "core/ui/Twips.h"
#include "tariff/PriceText.h"
#include "tariff/TariffFiles.h"
#include "tariff/TariffTables.h"
#include "tariff/ui/HourCell.h"
#include "tariff/ui/PriceDialog.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kNoClass = -1;  // a white cell: the file held a value outside 0..3

// The classes 0..3 in red, blue, yellow and cyan; anything else white.
QColor ClassColour(int tariffClass) {
    constexpr QRgb kColours[4] = {0xff0000, 0x0000ff, 0xffff00, 0x00ffff};
    if (tariffClass < 0 || tariffClass > 3) return QColor(255, 255, 255);
    return QColor(kColours[tariffClass]);
}

// The class as a screen reader says it.
QString ClassName(int tariffClass) {
    static const char* const kNames[4] = {QT_TRANSLATE_NOOP("TariffEditor", "класс 0, красный"),
                                          QT_TRANSLATE_NOOP("TariffEditor", "класс 1, синий"),
                                          QT_TRANSLATE_NOOP("TariffEditor", "класс 2, жёлтый"),
                                          QT_TRANSLATE_NOOP("TariffEditor", "класс 3, голубой")};
    if (tariffClass < 0 || tariffClass > 3)
        return QCoreApplication::translate("TariffEditor", "без класса, белый");
    return QCoreApplication::translate("TariffEditor", kNames[tariffClass]);
}

void FillWith(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The hour table, in twips.
constexpr int kCellLeft = 360;  // hours 0 and 12
constexpr int kCellStep = 360;  // from one hour to the next
constexpr int kUpperRowTop = 360;
constexpr int kLowerRowTop = 600;

}  // namespace

TariffEditor::TariffEditor(ProgramFolder folder, QLocale locale, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      folder_(std::move(folder)),
      locale_(std::move(locale)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Редактирование тарифа"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(tr("Класс тарифа каждого часа суток и цена каждого класса"));
    setFixedSize(Twips(4710), Twips(1920));
    setFont(QFont(QStringLiteral("Arial"), 9));
    BuildCells();
    BuildClassButtons();
    BuildCommands();
    Load();
}

void TariffEditor::BuildCells() {
    for (int h = 0; h < 24; ++h) {
        auto* cell = new HourCell(this);
        cell->setObjectName(QStringLiteral("tar1_%1").arg(h));
        const int top = h < 12 ? kUpperRowTop : kLowerRowTop;
        cell->setGeometry(TwipsRect(kCellLeft + kCellStep * (h % 12), top, 255, 135));
        cell->setAccessibleName(tr("Час %1").arg(h));
        connect(cell, &HourCell::clicked, this, [this, h] { PaintSelectedClass(h); });
        hourCells_[h] = cell;
        PaintCell(h, kNoClass);
    }
}

void TariffEditor::BuildClassButtons() {
    for (int c = 0; c < 4; ++c) {
        auto* button = new QRadioButton(QStringLiteral("0"), this);
        button->setObjectName(QStringLiteral("Option1_%1").arg(c));
        button->setGeometry(TwipsRect(120 + 720 * c, 840, 615, 375));
        FillWith(button, ClassColour(c));
        button->setAccessibleName(tr("Класс %1").arg(c));
        button->installEventFilter(this);
        classButtons_[c] = button;
    }
    classButtons_[0]->setChecked(true);
}

void TariffEditor::BuildCommands() {
    auto* save = new QPushButton(tr("Сохранить"), this);
    save->setObjectName(QStringLiteral("Command2"));
    save->setGeometry(TwipsRect(2280, 1440, 1095, 375));
    save->setAccessibleDescription(tr("Сохранить тариф и закрыть окно"));
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &TariffEditor::Save);

    auto* cancel = new QPushButton(tr("Отмена"), this);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setGeometry(TwipsRect(3480, 1440, 1095, 375));
    cancel->setAccessibleDescription(tr("Закрыть окно, ничего не сохраняя"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TariffEditor::Load() {
    TariffTables tables;
    ReadTariffTables(folder_, &tables, &loadError_);
    for (int h = 0; h < 24; ++h) {
        const int tariffClass = tables.hourClasses[h];
        PaintCell(h, tariffClass >= 0 && tariffClass <= 3 ? tariffClass : kNoClass);
    }
    // A price that cannot be one shows empty, so Save asks for it rather than keep it.
    for (int c = 0; c < 4; ++c) {
        const float price = tables.prices[c];
        ShowPrice(c, IsUsablePrice(price) ? NumberText(price, locale_) : QString());
    }
}

void TariffEditor::ShowPrice(int tariffClass, const QString& price) {
    classButtons_[tariffClass]->setText(price);
    classButtons_[tariffClass]->setToolTip(price);  // a long price does not fit on the button
    classButtons_[tariffClass]->setAccessibleDescription(
        tr("Цена: %1; %2. Клавиша меню или правая кнопка мыши меняет цену.")
            .arg(price, ClassName(tariffClass)));
}

void TariffEditor::PaintCell(int hour, int tariffClass) {
    cellClasses_[hour] = tariffClass;
    FillWith(hourCells_[hour], ClassColour(tariffClass));
    hourCells_[hour]->setAccessibleDescription(
        tr("%1. Пробел закрашивает час выбранным классом.").arg(ClassName(tariffClass)));
}

void TariffEditor::PaintSelectedClass(int hour) {
    for (int c = 0; c < 4; ++c) {
        if (classButtons_[c]->isChecked()) {
            PaintCell(hour, c);
            return;
        }
    }
}

void TariffEditor::AskPrice(int tariffClass) {
    PriceDialog dialog(folder_, locale_, this);
    const QString price = dialog.InputMsg(classButtons_[tariffClass]->text());
    if (!price.isEmpty()) ShowPrice(tariffClass, price);
}

void TariffEditor::Save() {
    TariffTables tables;
    // A white cell is stored as class 0, so that every hour keeps its record.
    for (int h = 0; h < 24; ++h) tables.hourClasses[h] = int16_t(qMax(cellClasses_[h], 0));
    QStringList priceTexts;
    for (QRadioButton* button : classButtons_) priceTexts << button->text();
    // Every price is read before anything is written.
    QString error;
    if (ReadPriceTexts(priceTexts, locale_, &tables.prices, &error) &&
        WriteTariffTables(folder_, tables, &error)) {
        accept();
        return;
    }
    QMessageBox::warning(this, QStringLiteral("Vantoril"), error + '\n' + tr("Тариф не сохранён."));
}

bool TariffEditor::eventFilter(QObject* watched, QEvent* event) {
    const auto button = std::find(classButtons_.begin(), classButtons_.end(), watched);
    if (button == classButtons_.end()) return QDialog::eventFilter(watched, event);
    const bool rightPress = event->type() == QEvent::MouseButtonPress &&
                            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
    const bool menuKey =
        event->type() == QEvent::KeyPress && IsMenuKey(*static_cast<QKeyEvent*>(event));
    if (rightPress || menuKey) {
        AskPrice(int(button - classButtons_.begin()));
        return true;  // the selected class stays as it was
    }
    return QDialog::eventFilter(watched, event);
}

void TariffEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (loadError_.isEmpty()) return;
    // Reported once the window is up, so the user sees which window it concerns.
    const QString message = loadError_;
    loadError_.clear();
    QTimer::singleShot(0, this, [this, message] {
        QMessageBox::warning(this, QStringLiteral("Vantoril"), message);
    });
}

void TariffEditor::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int column = 0; column < 12; ++column) {
        const QRect heading = TwipsRect(kCellLeft + kCellStep * column - 60, 60, 375, 255);
        painter.drawText(heading, Qt::AlignCenter,
                         QStringLiteral("%1").arg(column, 2, 10, QLatin1Char('0')));
    }
    painter.drawText(TwipsRect(0, kUpperRowTop - 60, 345, 255), Qt::AlignCenter,
                     QStringLiteral("AM"));
    painter.drawText(TwipsRect(0, kLowerRowTop - 60, 345, 255), Qt::AlignCenter,
                     QStringLiteral("PM"));
    // Two thin lines: under the hour table and above the commands.
    painter.setPen(palette().color(QPalette::Mid));
    for (int top : {780, 1320}) painter.drawLine(Twips(120), Twips(top), Twips(4590), Twips(top));
}
