// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator window: counters, message line, activity graph and the indicator's timers.
#pragma once

#include "indicator/IndicatorText.h"
#include "indicator/IndicatorWindowSteps.h"
#include "indicator/ui/ActivityGraph.h"

#include <QLocale>
#include <QWidget>

#include <functional>

class LinkSource;
class LocalAddress;
class ProgramFolder;
class QLabel;
class QTimer;
class SampleTick;
struct Settings;
struct TrafficCounters;

// What the indicator reads and drives; everything belongs to the caller and outlives it.
struct IndicatorServices {
    const ProgramFolder& folder;
    const Settings& settings;   // as the last sampling tick loaded it
    TrafficCounters& counters;  // the graph tick copies its statistics into Stats
    LinkSource& link;
    LocalAddress& address;
    SampleTick& sampling;
    std::function<void()> runScript;  // one script tick
    QLocale locale;
};

inline constexpr int kRefreshIntervalMs = 500;  // Timer1 at load
inline constexpr int kScriptIntervalMs = 5000;  // Timer2 at load
inline constexpr int kGraphIntervalMs = 1000;   // Timer3, never changed

class IndicatorWindow : public QWidget, public IndicatorWindowSteps {
    Q_OBJECT
public:
    explicit IndicatorWindow(IndicatorServices services, QWidget* parent = nullptr);

    // The load sequence: start the timers, run one sampling tick and one script tick,
    // move to the saved position, then fresh colours and graph. The window stays hidden.
    void Load();
    // Stores the position (i_top, then i_left) and stops the timers; the caller then
    // deletes the window.
    void Unload();

    void SetMessageText(const QString& text);
    // 0 stops the timer; other values up to 65535 restart it at that period.
    void SetRefreshInterval(int milliseconds);
    void SetScriptInterval(int milliseconds);
    void SetStayOnTop(bool onTop);

    // The timers' work, each skipped while an earlier run of its own is still going
    // (a message box opened inside a tick keeps the timers firing).
    void RunSamplingTick();
    void RunScriptTick();
    void RunGraphTick();

    // Some tick of this window is under way (perhaps waiting on a message box), so the
    // window must not be deleted yet: wait for idle().
    bool InTick() const;

    void SetWindowOpacity(int opacity) override;
    void RefreshIndicator() override;
    void SetWindowHeightTwips(int twips) override;

Q_SIGNALS:
    void menuRequested(const QPoint& globalPosition);  // right press on a label
    void closeRequested();                             // the window's own close box
    void idle();                                       // the last running tick has ended
    void sampled();                                    // a sampling tick has run

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* AddLabel(const char* name, const QString& text, const QRect& twips);
    QLabel* AddPicture(const char* name, const QRect& twips, const QString& accessibleName);
    QTimer* AddTimer(const char* name, void (IndicatorWindow::*tick)());
    void MoveToSavedPosition();
    void ApplyColours();
    void ShowGraph();
    void AnnounceAddressFailure();
    void TellIfIdle();

    IndicatorServices services_;
    IndicatorComposer composer_;
    ActivityGraph graph_;
    QList<QLabel*> labels_;  // the seven text lines, top left to the message line
    QLabel* messageLabel_;
    QLabel* graphPicture_;
    QLabel* rightCap_;
    QLabel* leftCap_;
    QTimer* samplingTimer_;
    QTimer* scriptTimer_;
    QTimer* graphTimer_;
    bool sampling_ = false;
    bool scripting_ = false;
    bool graphing_ = false;
    int opacity_ = -1;
};
