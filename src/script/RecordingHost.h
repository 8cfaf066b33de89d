// SPDX-License-Identifier: GPL-3.0-or-later
// A script host that writes down every operation a script makes, one line each.
#pragma once

#include "script/ScriptHost.h"

#include <QStringList>

// Serves fixed counters, folder, clock and locale. The lines read "message: TEXT",
// "timer_refresh: MS", "timer_script: MS", "disconn" and "error N: DESCRIPTION", in the
// order the script made the operations. Used by the command-line tool and in tests.
class RecordingHost : public ScriptHost {
public:
    RecordingHost(ScriptCounters counters, QString folder, const Clock& clock, QLocale locale);

    const QStringList& Operations() const { return operations_; }
    void ClearOperations() { operations_.clear(); }

    ScriptCounters Counters() const override { return counters_; }
    QString ProgramFolderPath() const override { return folder_; }
    const Clock& LocalClock() const override { return clock_; }
    QLocale UserLocale() const override { return locale_; }
    void SetMessageText(const QString& text) override;
    void SetRefreshInterval(int milliseconds) override;
    void SetScriptInterval(int milliseconds) override;
    void HangUpLink() override;
    void ShowError(const ScriptFault& fault) override;

private:
    ScriptCounters counters_;
    QString folder_;
    const Clock& clock_;
    QLocale locale_;
    QStringList operations_;
};
