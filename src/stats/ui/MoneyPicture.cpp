// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics viewer's decorative picture, drawn rather than shipped as a file.
#include "stats/ui/MoneyPicture.h"

#include <QPainter>

QPixmap MoneyPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 48.0;
    painter.scale(unit, unit);

    painter.setPen(QPen(QColor(40, 90, 40), 1));
    painter.setBrush(QColor(120, 190, 110));
    painter.drawRoundedRect(QRectF(2, 8, 30, 18), 2, 2);
    painter.drawEllipse(QPointF(17, 17), 5, 5);

    // Coins from the bottom up, each an ellipse over the rim of the one below.
    painter.setPen(QPen(QColor(130, 90, 10), 1));
    for (int coin = 0; coin < 5; ++coin) {
        const qreal top = 38 - coin * 5;
        painter.setBrush(QColor(200, 150, 30));
        painter.drawRect(QRectF(20, top, 24, 5));
        painter.setBrush(QColor(250, 205, 60));
        painter.drawEllipse(QRectF(20, top - 4, 24, 8));
    }
    return picture;
}
