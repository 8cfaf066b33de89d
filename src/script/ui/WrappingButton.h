// SPDX-License-Identifier: GPL-3.0-or-later
// A push button whose caption wraps onto a second line when it is too wide.
#pragma once

#include <QPushButton>

class WrappingButton : public QPushButton {
    Q_OBJECT

public:
    explicit WrappingButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
