// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of vantoril-history: which report, over which days, in which format.
#pragma once

#include "history/ReportTable.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

struct HistoryToolOptions {
    enum class Command { Connections, Days, Period };
    using Format = ReportFormat;
    Command command = Command::Period;
    Format format = Format::Table;
    std::optional<QString> folder;  // the program folder when not given
    std::optional<QDate> from;      // local days, both included
    std::optional<QDate> to;
};

struct ParsedHistoryOptions {
    std::optional<HistoryToolOptions> options;
    QString error;      // in plain words when the arguments are wrong
    bool help = false;  // --help was asked for
};
ParsedHistoryOptions ParseHistoryToolOptions(const QStringList& arguments);

QString HistoryToolUsage();
