// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics viewer "Просмотр статистики": a connection, a month, what it cost.
#pragma once

#include "core/TwipsScale.h"
#include "stats/StatisticsFolder.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;

// Not modal; the program keeps one open at a time. It deletes itself when closed.
// A connection or date chosen (also again, or by scrolling its open list) re-reads the
// file, so bookings made while the window is open show up then.
class StatisticsWindow : public QDialog {
    Q_OBJECT

public:
    // Shows an error text to the user; by default a critical box titled "Vantoril Error".
    using ErrorBox = std::function<void(QWidget* window, const QString& text)>;

    explicit StatisticsWindow(ProgramFolder folder, QWidget* parent = nullptr,
                              ErrorBox errorBox = ShowVantorilError);

    static void ShowVantorilError(QWidget* window, const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QString AmountCaption();  // the amount line's caption before the amount
    void FitScale();                 // stretches the layout until every caption shows whole
    void BuildControls();
    void ConnectRefreshes();
    void LoadConnections();
    void RefreshConnection();
    void RefreshDate();
    void ClearStatistics();

    TwipsScale scale_;
    StatisticsFolder statistics_;
    ErrorBox errorBox_;
    QComboBox* connectionList_ = nullptr;
    QComboBox* dateList_ = nullptr;
    QLabel* amountLabel_ = nullptr;
};
