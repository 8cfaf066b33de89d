// SPDX-License-Identifier: GPL-3.0-or-later
// The program's logging categories; debug and info lines are off by default.
#include "core/Logging.h"

Q_LOGGING_CATEGORY(lcLink, "vantoril.link", QtWarningMsg)
Q_LOGGING_CATEGORY(lcIndicator, "vantoril.indicator", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStats, "vantoril.stats", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHistory, "vantoril.history", QtWarningMsg)
Q_LOGGING_CATEGORY(lcBus, "vantoril.bus", QtWarningMsg)
Q_LOGGING_CATEGORY(lcTray, "vantoril.tray", QtWarningMsg)
