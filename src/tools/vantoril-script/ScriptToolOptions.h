// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of vantoril-script: what to do, with which file and settings.
#pragma once

#include "script/ScriptHost.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

struct ScriptToolOptions {
    enum class Command { Check, Lint, Run };
    Command command = Command::Check;
    QString file;
    QLocale locale = QLocale::system();
    std::optional<QTime> time;      // the clock's time of day; now when not given
    std::optional<QString> folder;  // AppPath; the program folder when not given
    ScriptCounters counters;        // every counter not given is 0
};

// Reads the arguments after the program name; an error text in plain words when they
// are wrong.
struct ParsedOptions {
    std::optional<ScriptToolOptions> options;
    QString error;
};
ParsedOptions ParseScriptToolOptions(const QStringList& arguments);

// How to call the tool, for wrong arguments.
QString ScriptToolUsage();
