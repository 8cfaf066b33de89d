// SPDX-License-Identifier: GPL-3.0-or-later
// The history window's bar chart as the window sees it. The chart itself is a Qt plugin of
// its own, loaded the first time a window shows it, so that a program that never opens
// the window never maps Qt Charts and the OpenGL libraries that come with it. Both sides
// build against this header alone: it holds only Qt types.
#pragma once

#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

// Each bar lives in one of three colours.
enum class BarKind { History, Current, Books };

struct ChartColumn {
    QString label;    // under the bar: "5", "мар"
    QString caption;  // the exact figure, in the tooltip and for screen readers
    double value = 0;
    BarKind kind = BarKind::History;
};

struct ChartColumns {
    QList<ChartColumn> columns;
    QString currentName;  // the legend of the current bar: "Сегодня", "Текущий месяц"
    bool booksShown = false;
    QString valueTitle;  // the value axis: the currency, "Деньги" or "МБ"
    QLocale locale;
};

class BarChart {
public:
    virtual ~BarChart() = default;

    // The chart's widget, owned by the parent it was made with; it owns this interface.
    virtual QWidget* Widget() = 0;
    virtual void Show(const ChartColumns& columns) = 0;
    // Tells the caption of the bar under the mouse or chosen with the arrow keys.
    virtual void OnFigure(std::function<void(const QString& caption)> tell) = 0;
};

// What the chart module's plugin object offers.
class BarChartFactory {
public:
    virtual ~BarChartFactory() = default;

    // A new chart under `parent`, which owns its widget.
    virtual BarChart* NewBarChart(QWidget* parent) = 0;
};

// The version changes whenever this header does, so that a module left from another
// version is refused rather than called wrongly.
#define VANTORIL_BAR_CHART_IID "org.example.Vantoril.BarChartFactory/1"
Q_DECLARE_INTERFACE(BarChartFactory, VANTORIL_BAR_CHART_IID)
