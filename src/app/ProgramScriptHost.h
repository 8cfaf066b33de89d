// SPDX-License-Identifier: GPL-3.0-or-later
// The script engine's host over the live counters and the indicator window.
#pragma once

#include "script/ScriptHost.h"

#include <functional>
#include <optional>

struct PeriodTotals;

class IndicatorWindow;
class LinkSource;
class ProgramFolder;
struct TrafficCounters;

class ProgramScriptHost final : public ScriptHost {
public:
    // `indicator` gives the indicator window, loading it when it is not loaded; `period`
    // what the billing period has used and is billed, the running connection included.
    ProgramScriptHost(const TrafficCounters& counters, const ProgramFolder& folder,
                      const Clock& clock, QLocale locale, LinkSource& link,
                      std::function<IndicatorWindow&()> indicator,
                      std::function<PeriodTotals()> period);

    ScriptCounters Counters() const override;
    QString ProgramFolderPath() const override;
    const Clock& LocalClock() const override { return clock_; }
    QLocale UserLocale() const override { return locale_; }

    void SetMessageText(const QString& text) override;
    void SetRefreshInterval(int milliseconds) override;
    void SetScriptInterval(int milliseconds) override;
    void HangUpLink() override;
    void ShowError(const ScriptFault& fault) override;

    // The operator's last balance (nothing when unknown) and whether the link is roaming.
    struct OperatorFigures {
        std::optional<double> balance;
        bool roaming = false;
    };
    void SetOperatorFigures(std::function<OperatorFigures()> figures) {
        operator_ = std::move(figures);
    }

    // The message line as the script last set it, whether or not the indicator is loaded.
    const QString& Message() const { return message_; }

private:
    const TrafficCounters& counters_;
    const ProgramFolder& folder_;
    const Clock& clock_;
    QLocale locale_;
    LinkSource& link_;
    std::function<IndicatorWindow&()> indicator_;
    std::function<PeriodTotals()> period_;
    std::function<OperatorFigures()> operator_;
    QString message_;
};
