// SPDX-License-Identifier: GPL-3.0-or-later
// The chart module's plugin object: what QPluginLoader finds in chart.so.
#pragma once

#include "history/ui/BarChart.h"

#include <QObject>

class ChartPlugin : public QObject, public BarChartFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VANTORIL_BAR_CHART_IID)
    Q_INTERFACES(BarChartFactory)

public:
    BarChart* NewBarChart(QWidget* parent) override;
};
