// SPDX-License-Identifier: GPL-3.0-or-later
// The tariff editor: hour cells painted with tariff classes, class buttons showing prices.
#pragma once

#include "core/ProgramFolder.h"

#include <QDialog>
#include <QLocale>

#include <array>

class HourCell;
class QRadioButton;

class TariffEditor : public QDialog {
    Q_OBJECT

public:
    // Loads both tariff files; a file that cannot be read is reported when the window shows.
    TariffEditor(ProgramFolder folder, QLocale locale, QWidget* parent = nullptr);

    // The class an hour cell shows (0..3), or -1 for a white cell.
    int CellClass(int hour) const { return cellClasses_[hour]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildCells();
    void BuildClassButtons();
    void BuildCommands();
    void Load();
    void ShowPrice(int tariffClass, const QString& price);  // the class button's caption
    void PaintCell(int hour, int tariffClass);
    void PaintSelectedClass(int hour);  // left click on a cell
    void AskPrice(int tariffClass);     // right press or menu key on a class button
    void Save();                        // "Сохранить": refuses prices that are not numbers

    ProgramFolder folder_;
    QLocale locale_;
    std::array<HourCell*, 24> hourCells_{};
    std::array<QRadioButton*, 4> classButtons_{};
    std::array<int, 24> cellClasses_{};
    QString loadError_;
};
