// SPDX-License-Identifier: GPL-3.0-or-later
// The price dialog: asks for the price of one tariff class.
#pragma once

#include "core/ProgramFolder.h"

#include <QDialog>
#include <QLocale>

class QLineEdit;

class PriceDialog : public QDialog {
    Q_OBJECT

public:
    PriceDialog(ProgramFolder folder, QLocale locale, QWidget* parent = nullptr);

    // Shows the dialog modally with `text` in the field and returns the field's text on
    // "ОК", or the empty text on "Отмена" or the frame. The caption names the unit of the
    // tariff type stored at this moment.
    QString InputMsg(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Confirm();     // "ОК": a text that is not a price is refused with a message
    void FitCaption();  // wide enough for the whole caption

    ProgramFolder folder_;
    QLocale locale_;
    QWidget* controls_;  // the laid-out client area, centred in a wider window
    QLineEdit* priceField_;
};
