// SPDX-License-Identifier: GPL-3.0-or-later
// One hour of the tariff table: a cell in its class colour that a click or Space paints.
#pragma once

#include <QAbstractButton>

// The colour is the palette's Window colour; the cell is a button for the keyboard and
// for screen readers, though it shows no caption.
class HourCell : public QAbstractButton {
    Q_OBJECT

public:
    explicit HourCell(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
