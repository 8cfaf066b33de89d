// SPDX-License-Identifier: GPL-3.0-or-later
// The operator's balance and the metered mark, as rows of the budget group.
#pragma once

#include "core/ProgramFolder.h"

#include <QLocale>
#include <QWidget>

#include <functional>

class ModemFeatures;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Shows what ModemFeatures knows and hands the two buttons to it; nothing here waits.
class ModemRows : public QWidget {
    Q_OBJECT
public:
    // `span` gives the line comparing the operator's figures with the program's count;
    // `currency` the sign written after money.
    ModemRows(ModemFeatures& features, ProgramFolder folder, QLocale locale,
              std::function<QString()> currency, std::function<QString()> span,
              QWidget* parent = nullptr);

    void Refresh();
    bool Save();  // true when the settings file now holds the fields

private:
    void BuildFields();

    ModemFeatures& features_;
    ProgramFolder folder_;
    QLocale locale_;
    std::function<QString()> currency_;
    std::function<QString()> span_;
    QLabel* balance_;
    QLabel* spanLine_;
    QLabel* balanceMessage_;
    QPushButton* ask_;
    QLabel* metered_;
    QPushButton* mark_;
    QLabel* meteredMessage_;
    QLineEdit* code_ = nullptr;
    QSpinBox* every_ = nullptr;
    QLineEdit* low_ = nullptr;
    QCheckBox* hangUp_ = nullptr;
    QSpinBox* meteredAt_ = nullptr;
    QLabel* saveMessage_ = nullptr;
};
