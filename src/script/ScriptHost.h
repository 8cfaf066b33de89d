// SPDX-License-Identifier: GPL-3.0-or-later
// What a running script may read from and do to the rest of the program.
#pragma once

#include "core/Clock.h"
#include "script/ScriptFault.h"

#include <QLocale>
#include <QString>

#include <cstdint>

// The counters of the last traffic sample, as the built-in variables show them. All 0
// before the first sample; they keep their last values while no link is up.
struct ScriptCounters {
    float DL = 0;      // MB received (1 MB = 1048576 bytes), rounded to 2 decimals
    float UL = 0;      // MB sent, as DL
    float AL = 0;      // MB in total: DL + UL
    int32_t TC = 0;    // time online, whole seconds
    int32_t BPS = 0;   // link speed, bits per second
    float MDL = 0;     // cost of the data received, money units rounded to 2 decimals
    float MUL = 0;     // cost of the data sent, as MDL
    float MAL = 0;     // total traffic cost: MDL + MUL
    float CAL = 0;     // MB of the billing period, the running connection included, 2 decimals
    float CMAL = 0;    // the period's money, as CAL
    float BILL = 0;    // the period's bill: the plan's fee and the traffic beyond its volume
    float BAL = 0;     // the operator's last balance, 0 when unknown
    int32_t ROAM = 0;  // 1 while the watched connection is up in roaming
};

// The host of the script engine. The engine calls it on the thread that runs the script
// and never from two runs at once. Every interval handed over has been checked already.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    virtual ScriptCounters Counters() const = 0;
    // The program folder, with or without a trailing separator (AppPath adds one).
    virtual QString ProgramFolderPath() const = 0;
    // Local time for the commands time, hour and mins.
    virtual const Clock& LocalClock() const = 0;
    // The user's locale: decimal separator of numbers, format of times of day.
    virtual QLocale UserLocale() const = 0;

    // The indicator's message line shows this text from now on.
    virtual void SetMessageText(const QString& text) = 0;
    // The sampling timer fires every `milliseconds` (0 to 65535) from now on; 0 stops it.
    virtual void SetRefreshInterval(int milliseconds) = 0;
    // The script timer likewise; it takes effect for the following runs.
    virtual void SetScriptInterval(int milliseconds) = 0;
    // Hangs up the current link; the result is not looked at.
    virtual void HangUpLink() = 0;
    // A modal error box with a critical-error icon: text fault.description, title
    // fault.Title(). The host must not start a run of the same engine while it is open;
    // the engine refuses such a run anyway.
    virtual void ShowError(const ScriptFault& fault) = 0;
};
