// SPDX-License-Identifier: GPL-3.0-or-later
// Runs scripts against a recording host with a fixed clock, as the tests need them.
#pragma once

#include "FixedClock.h"
#include "Locales.h"
#include "script/RecordingHost.h"
#include "script/ScriptInterpreter.h"

#include <QStringList>

#include <initializer_list>

// Script lines joined with "\r\n", the line break of saved scripts.
inline QString Script(std::initializer_list<const char*> lines) {
    QStringList joined;
    for (const char* line : lines) joined.append(QString::fromUtf8(line));
    return joined.join(QStringLiteral("\r\n"));
}

class ScriptRunner {
public:
    explicit ScriptRunner(QLocale locale = PointLocale(), ScriptCounters counters = {},
                          QString folder = QStringLiteral("/opt/vantoril"))
        : host(counters, std::move(folder), clock, std::move(locale)), engine(host) {}

    // The operations of one run of the code, in order.
    QStringList Run(const QString& code) {
        host.ClearOperations();
        engine.SetCode(code);
        engine.run();
        return host.Operations();
    }

    FixedClock clock{QDateTime(QDate(2026, 3, 2), QTime(14, 5, 9))};
    RecordingHost host;
    ScriptInterpreter engine;
};

inline QStringList Ops(std::initializer_list<const char*> lines) {
    QStringList list;
    for (const char* line : lines) list.append(QString::fromUtf8(line));
    return list;
}
