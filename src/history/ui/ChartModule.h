// SPDX-License-Identifier: GPL-3.0-or-later
// The chart module, found beside the program (the build tree, or a program copied into a
// folder with its module) or in the installed program's library folder.
#pragma once

#include "history/ui/BarChart.h"

// A new chart under `parent`, or nullptr with the reason, in words for the window, in
// `error`. The module stays loaded once loaded: its charts may live as long as the program.
// VANTORIL_CHART_MODULE names the module's file instead, for the tests.
BarChart* NewBarChartFromModule(QWidget* parent, QString* error);
