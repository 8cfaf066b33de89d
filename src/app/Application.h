// SPDX-License-Identifier: GPL-3.0-or-later
// The running program: settings, counters, link, windows, tray icon, menus and timers.
#pragma once

#include "app/ProgramMenus.h"
#include "bus/MeterFigures.h"
#include "core/LocalZone.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/Throttle.h"
#include "indicator/TrafficCounters.h"
#include "script/ScriptSource.h"
#include "stats/ConnectionWatcher.h"
#include "tray/TrayHost.h"
#include "tray/ui/TrayIcon.h"

#include <QDBusConnection>
#include <QLocale>
#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class AddressQueries;
class BusService;
class Clock;
class DesktopNotifier;
class HistoryRecorder;
class HistoryStore;
class SettingsWindow;
class IndicatorWindow;
class HistoryWindow;
class LinkSource;
class SwitchableLink;
class LocalAddress;
class ModemFeatures;
class MonotonicClock;
class ProgramScriptHost;
class QTimer;
class SampleTick;
class SingleInstance;
class StatisticsWindow;
class ScriptInterpreter;
struct DueAlert;
struct NotificationAction;
struct HistorySighting;
struct PeriodReport;
struct PeriodUse;

inline constexpr int kWatcherIntervalMs = 2000;  // Timer1 of the settings window
// A notification area that appears this long after the start still gets the settings
// window hidden when `hide_start` is 1: a panel started after the program at login.
inline constexpr int kLateTrayMs = 20000;

class Application : public QObject {
    Q_OBJECT
public:
    // The clocks must outlive the application; the link belongs to it from now on. The
    // address queries are the system's unless given.
    Application(ProgramFolder folder, std::unique_ptr<LinkSource> link, const Clock& clock,
                const MonotonicClock& steady, QLocale locale, TrayHost tray,
                std::shared_ptr<AddressQueries> addressQueries = nullptr);
    ~Application() override;

    // The start-up sequence. False when another instance runs: the user has been told,
    // that instance was asked over the bus to bring its settings window forward when there
    // is no notification area (left alone otherwise), and the program ends without having
    // shown anything else. The program's own bus service is offered on `sessionBus`; with
    // none (the default) it simply has none.
    bool Start(SingleInstance& instance, QDBusConnection sessionBus = QDBusConnection(QString()));

    // The desktop's notification area came or went.
    void SetTrayHost(TrayHost host);

    // The indicator window, loaded (hidden) first when it is not loaded.
    IndicatorWindow& Indicator();
    bool IndicatorLoaded() const { return !indicator_.isNull(); }
    SettingsWindow& SettingsUi() { return *settingsWindow_; }
    TrayIcon& Tray() { return tray_; }
    const ProgramMenus& Menus() const { return *menus_; }

    // The billing period now, the running connection's latest figures included.
    PeriodReport CurrentPeriod();
    PeriodUse PeriodUsage();  // only what it has used, quicker

    void ScriptTick();   // reads "script.vsc" afresh and runs it once
    void WatcherTick();  // the connection watcher of Timer1

    // The orderly end (desktop session over, termination signal): the running connection's
    // figures go into the history, the indicator is unloaded, so its position is stored,
    // and no window refuses to close.
    void EndSession();

    // "История и бюджет": the one history window, opened or brought forward.
    void ShowHistory();
    // "settings", "history" or "statistics": that window, opened or brought forward.
    void Open(const QString& window);

Q_SIGNALS:
    // "Выход": the tray icon is gone and the history has the running connection's
    // figures; nothing else was saved. The program ends now.
    void exitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WireMenus();
    void OnTrayClick(int button);
    void OnTrayDblClick(int button);
    void ApplyTrayMenu();
    void ShowSettings();
    void ShowIndicator();
    void ShowStatistics();
    void OpenHelp();
    void CloseIndicator();
    void ToggleStayOnTop();
    void Exit();
    void Tell(const QStringList& notices);  // non-modal: a desktop notification
    // The budget and cap alerts due at this sampling tick's figures.
    void CheckAlerts();
    void Alert(const DueAlert& alert);  // recorded as given once it reached the user
    // The buttons of an alert raised now: hang up the connection up now, the history.
    QList<NotificationAction> AlertActionsNow();
    MeterFigures FiguresNow();  // the figures the bus service offers
    HistorySighting HistorySightingOf(const TrafficCounters& counters, bool connected,
                                      const QString& name) const;
    // `link_source` was changed in the file or the connection window: the connection
    // watched until now is counted to this moment and handed over to the new choice.
    void SwitchLinkIfChosen();
    void ResumeConnection();  // takes up a connection left running by an earlier run
    void KeepLastFigures();   // the program ends: the history keeps the latest figures
    // The operator's balance, roaming and the metered mark.
    void WireModem();
    void ModemTick();
    QString BalanceSpan();

    LocalZone localZone_;  // first: every later reading of the local time benefits
    ProgramFolder folder_;
    std::unique_ptr<SwitchableLink> link_;
    QString linkSourceSetting_;  // the setting the link in use was chosen by
    const Clock& clock_;
    const MonotonicClock& steady_;
    QLocale locale_;
    TrayHost trayHost_;
    Settings settings_;
    TrafficCounters counters_;
    std::unique_ptr<LocalAddress> address_;
    std::unique_ptr<SampleTick> sampling_;
    std::unique_ptr<ProgramScriptHost> scriptHost_;
    std::unique_ptr<ScriptInterpreter> ScriptRunner;  // created at the first script tick
    ScriptSource scriptSource_{folder_};
    ConnectionWatcher watcher_;
    std::unique_ptr<HistoryStore> historyStore_;
    std::unique_ptr<HistoryRecorder> history_;  // the connection history, the period's alerts
    std::unique_ptr<SettingsWindow> settingsWindow_;
    std::unique_ptr<ProgramMenus> menus_;
    QTimer* watcherTimer_;
    Throttle announceGap_{1000, 50};  // the bus's change signals
    TrayIcon tray_;
    DesktopNotifier* notifier_;
    ModemFeatures* modem_;
    QPointer<IndicatorWindow> indicator_;
    QPointer<HistoryWindow> historyWindow_;
    QPointer<StatisticsWindow> statisticsWindow_;  // deletes itself when closed
    std::unique_ptr<BusService> bus_;
    std::optional<int64_t> lateTrayHidesUntilMs_;  // on the steady clock
    bool watching_ = false;
    bool ending_ = false;  // exit or session end under way: nothing refuses to close
};
