// SPDX-License-Identifier: GPL-3.0-or-later
// The chart module's plugin object makes the history window's charts.
#include "history/ui/ChartPlugin.h"

#include "history/ui/HistoryChart.h"

BarChart* ChartPlugin::NewBarChart(QWidget* parent) {
    return new HistoryChart(parent);
}
