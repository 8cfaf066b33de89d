// SPDX-License-Identifier: GPL-3.0-or-later
// A script host that writes down every operation a script makes, one line each.
#include "script/RecordingHost.h"

RecordingHost::RecordingHost(ScriptCounters counters, QString folder, const Clock& clock,
                             QLocale locale)
    : counters_(counters), folder_(std::move(folder)), clock_(clock), locale_(std::move(locale)) {}

void RecordingHost::SetMessageText(const QString& text) {
    operations_.append(QStringLiteral("message: ") + text);
}

void RecordingHost::SetRefreshInterval(int milliseconds) {
    operations_.append(QStringLiteral("timer_refresh: ") + QString::number(milliseconds));
}

void RecordingHost::SetScriptInterval(int milliseconds) {
    operations_.append(QStringLiteral("timer_script: ") + QString::number(milliseconds));
}

void RecordingHost::HangUpLink() {
    operations_.append(QStringLiteral("disconn"));
}

void RecordingHost::ShowError(const ScriptFault& fault) {
    operations_.append(QStringLiteral("error ") + QString::number(fault.number) +
                       QStringLiteral(": ") + fault.description);
}
