// SPDX-License-Identifier: GPL-3.0-or-later
// The program's logging categories, one per subsystem that has something to tell, silent
// below warnings until asked for: QT_LOGGING_RULES="vantoril.link.debug=true".
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcLink)       // vantoril.link: which connection is watched, why
Q_DECLARE_LOGGING_CATEGORY(lcIndicator)  // vantoril.indicator: files the sampling tick reads
Q_DECLARE_LOGGING_CATEGORY(lcStats)      // vantoril.stats: connections booked
Q_DECLARE_LOGGING_CATEGORY(lcHistory)    // vantoril.history: SQLite's own words on a failure
Q_DECLARE_LOGGING_CATEGORY(lcBus)        // vantoril.bus: who read or called what on the bus
Q_DECLARE_LOGGING_CATEGORY(lcTray)       // vantoril.tray: which notification area is there
