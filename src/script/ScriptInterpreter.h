// SPDX-License-Identifier: GPL-3.0-or-later
// The script interpreter: runs a script text once, line by line, against its host.
#pragma once

#include "script/ScriptFault.h"
#include "script/ScriptHost.h"
#include "script/ScriptValue.h"
#include "script/ScriptVariables.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QTime>

#include <optional>

// One instance serves every run. It is not re-entrant: a run asked for while another
// run of the same instance is in progress (for instance from the event loop of a modal
// error box) is refused and changes nothing. The variable store is empty between runs,
// however a run ends.
class ScriptInterpreter {
public:
    explicit ScriptInterpreter(ScriptHost& host);

    // The text the next run runs; a run in progress is not affected.
    void SetCode(const QString& code);
    // Runs the stored text once. False only when refused because a run is in progress.
    bool run();

    // "integer" for a number literal, "string" for a variable name.
    static QString GetTypeName(QStringView word);

private:
    // An arithmetic fault ends the run; everything else lets it go on.
    enum class Flow { Continue, Stop };

    void AddBuiltIns();
    Flow DoLine(QStringView line);
    Flow DoStatement(QStringView statement);
    Flow DoIf(QStringView condition);
    Flow DoOperation(QStringView target, QStringView left, QStringView right, QChar op);
    Flow DoCopy(QStringView target, QStringView word);
    ScriptValue CallFunction(QStringView call);
    ScriptValue RunCommand(QStringView name, const std::optional<QString>& firstItem);
    void RunTimerCommand(const QString& item, void (ScriptHost::*setInterval)(int));
    QString ArgumentText(QStringView item) const;
    QTime TimeNow() const;
    double OperandValue(QStringView word) const;
    void Report(ScriptFaultKind kind);

    ScriptHost& host_;
    QString code_;
    QString runCode_;           // the text of the run in progress: SetCode leaves it alone
    QList<QStringView> lines_;  // views into runCode_
    ScriptVariables vars_;      // empty between runs
    QLocale locale_;            // the user's locale, taken at the start of each run
    int lineNumber_ = 0;        // the line being run, from 1: named in fault texts
    bool running_ = false;
};
