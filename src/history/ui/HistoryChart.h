// SPDX-License-Identifier: GPL-3.0-or-later
// The history window's bar chart: days of the period or months of the year, money or MB.
#pragma once

#include "history/HistoryView.h"

#include <QChartView>

class QBarCategoryAxis;
class QBarSet;
class QStackedBarSeries;
class QValueAxis;

// Bars of the history, of today or this month, and of the books are three colours of
// one stacked series: each bar lives in one of them. The exact figure of a bar shows in a
// tooltip under the mouse; with the keyboard, the arrows choose a bar and figureChanged
// tells its figure (also to screen readers).
class HistoryChart : public QChartView {
    Q_OBJECT
public:
    explicit HistoryChart(QWidget* parent = nullptr);

    void SetBars(const QList<ChartBar>& bars, ChartSpan span, ChartUnit unit,
                 const QString& currency, const QLocale& locale);

    const QList<QString>& Captions() const { return captions_; }
    int ChosenBar() const { return chosen_; }
    void ChooseBar(int index);

Q_SIGNALS:
    void figureChanged(const QString& caption);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnHovered(bool entered, int index);

    QStackedBarSeries* series_;
    QBarSet* history_;
    QBarSet* current_;
    QBarSet* books_;
    QBarCategoryAxis* categories_;
    QValueAxis* values_;
    QList<QString> captions_;
    int chosen_ = -1;
};
