// SPDX-License-Identifier: GPL-3.0-or-later
// The script engine's host: counters in, message line, timers and hang-up out.
#include "app/ProgramScriptHost.h"

#include "budget/BillingPeriod.h"
#include "core/Numbers.h"
#include "core/ProgramFolder.h"
#include "indicator/TrafficCounters.h"
#include "indicator/ui/IndicatorWindow.h"
#include "link/LinkSource.h"

#include <QMessageBox>

ProgramScriptHost::ProgramScriptHost(const TrafficCounters& counters, const ProgramFolder& folder,
                                     const Clock& clock, QLocale locale, LinkSource& link,
                                     std::function<IndicatorWindow&()> indicator,
                                     std::function<PeriodTotals()> period)
    : counters_(counters),
      folder_(folder),
      clock_(clock),
      locale_(std::move(locale)),
      link_(link),
      indicator_(std::move(indicator)),
      period_(std::move(period)) {}

ScriptCounters ProgramScriptHost::Counters() const {
    ScriptCounters script;
    script.DL = counters_.RecvMB;
    script.UL = counters_.SentMB;
    script.AL = counters_.TotalMB;
    script.TC = counters_.OnlineSeconds;
    script.BPS = RoundToInt32(double(counters_.LinkBps));  // saturates beyond 2 Gbit/s
    script.MDL = counters_.RecvCost;
    script.MUL = counters_.SentCost;
    script.MAL = counters_.TotalCost;
    const PeriodTotals period = period_();
    script.CAL = float(period.megabytes);
    script.CMAL = float(period.cost);
    script.BILL = float(period.bill);
    if (operator_) {
        const OperatorFigures figures = operator_();
        script.BAL = float(figures.balance.value_or(0));
        script.ROAM = figures.roaming ? 1 : 0;
    }
    return script;
}

QString ProgramScriptHost::ProgramFolderPath() const {
    return folder_.Path();
}

void ProgramScriptHost::SetMessageText(const QString& text) {
    // Kept after the call: loading the indicator runs the script once more inside it.
    indicator_().SetMessageText(text);
    message_ = text;
}

void ProgramScriptHost::SetRefreshInterval(int milliseconds) {
    indicator_().SetRefreshInterval(milliseconds);
}

void ProgramScriptHost::SetScriptInterval(int milliseconds) {
    indicator_().SetScriptInterval(milliseconds);
}

// Only the connection whose figures the script saw: never the next one while it dials.
void ProgramScriptHost::HangUpLink() {
    link_.HangUpLink(counters_.Stats.connection);
}

void ProgramScriptHost::ShowError(const ScriptFault& fault) {
    QMessageBox::critical(nullptr, fault.Title(), fault.description);
}
