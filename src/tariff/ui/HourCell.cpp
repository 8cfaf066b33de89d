// SPDX-License-Identifier: GPL-3.0-or-later
// Painting an hour cell: its colour, and a focus frame when the keyboard is on it.
#include "tariff/ui/HourCell.h"

#include <QPainter>

HourCell::HourCell(QWidget* parent) : QAbstractButton(parent) {
    setAutoFillBackground(true);
}

void HourCell::paintEvent(QPaintEvent*) {
    if (!hasFocus()) return;  // the filled background is the whole cell
    // Black outside, white inside: seen on every class colour.
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}
