// SPDX-License-Identifier: GPL-3.0-or-later
// The history window's bar chart on Qt Charts, built as the chart module.
#pragma once

#include "history/ui/BarChart.h"

#include <QChartView>

class QBarCategoryAxis;
class QBarSet;
class QStackedBarSeries;
class QValueAxis;

// Bars of the history, of today or this month, and of the books are three colours of
// one stacked series: each bar lives in one of them. The exact figure of a bar shows in a
// tooltip under the mouse; with the keyboard, the arrows choose a bar, whose figure is
// told and becomes the accessible description.
class HistoryChart : public QChartView, public BarChart {
public:
    explicit HistoryChart(QWidget* parent);

    QWidget* Widget() override { return this; }
    void Show(const ChartColumns& columns) override;
    void OnFigure(std::function<void(const QString& caption)> tell) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ChooseBar(int index);
    void OnHovered(bool entered, int index);
    void Tell(const QString& caption);

    QStackedBarSeries* series_;
    QBarSet* history_;
    QBarSet* current_;
    QBarSet* books_;
    QBarCategoryAxis* categories_;
    QValueAxis* values_;
    QList<QString> captions_;
    int chosen_ = -1;
    std::function<void(const QString&)> tell_;
};
