// SPDX-License-Identifier: GPL-3.0-or-later
// The running program: start-up, tray icon and menus, the indicator's life and the
// connection watcher.
#include "app/Application.h"

#include "app/AlertActions.h"
#include "app/ProgramScriptHost.h"
#include "app/SingleInstance.h"
#include "bus/BusService.h"
#include "bus/MeterFigures.h"
#include "core/FileNotices.h"
#include "core/Logging.h"
#include "core/ui/MenuKey.h"
#include "core/ui/WindowLook.h"
#include "help/HelpDocument.h"
#include "help/ui/AboutWindow.h"
#include "history/BalanceLog.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"
#include "history/ui/HistoryWindow.h"
#include "indicator/SampleTick.h"
#include "indicator/TickGuard.h"
#include "indicator/ui/IndicatorWindow.h"
#include "link/LinkSource.h"
#include "link/LinkSourceFactory.h"
#include "link/LocalAddress.h"
#include "link/MonotonicClock.h"
#include "link/NetworkManagerLink.h"
#include "link/SwitchableLink.h"
#include "modem/ModemFeatures.h"
#include "modem/ui/ModemRows.h"
#include "script/ScriptInterpreter.h"
#include "script/ui/ScriptEditor.h"
#include "settings/Autostart.h"
#include "settings/ui/ConnectionWindow.h"
#include "settings/ui/SettingsWindow.h"
#include "stats/ui/StatisticsWindow.h"
#include "tariff/ui/TariffEditor.h"
#include "tray/ui/DesktopNotifier.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

namespace {
const QString kTitle = QStringLiteral("Vantoril");

// A window of which there is only one: shown, restored when minimised, raised.
void BringForward(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

// A box that stops nothing: the timers go on booking and recording while it stays open.
void ShowWithoutWaiting(QMessageBox::Icon icon, const QString& title, const QString& text) {
    auto* box = new QMessageBox(icon, title, text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}
}  // namespace

Application::Application(ProgramFolder folder, std::unique_ptr<LinkSource> link, const Clock& clock,
                         const MonotonicClock& steady, QLocale locale, TrayHost tray,
                         std::shared_ptr<AddressQueries> addressQueries)
    : folder_(std::move(folder)),
      link_(std::make_unique<SwitchableLink>(std::move(link))),
      linkSourceSetting_(LoadSettings(folder_).link_source),
      clock_(clock),
      steady_(steady),
      locale_(std::move(locale)),
      trayHost_(tray),
      address_(std::make_unique<LocalAddress>(*link_, steady, std::move(addressQueries))),
      sampling_(std::make_unique<SampleTick>(folder_, clock_, *link_, settings_, counters_)),
      scriptHost_(std::make_unique<ProgramScriptHost>(
          counters_, folder_, clock_, locale_, *link_,
          [this]() -> IndicatorWindow& { return Indicator(); },
          [this] { return RoundedTotals(LimitsOf(settings_), PeriodUsage()); })),
      watcher_(folder_, clock_, locale_),
      historyStore_(std::make_unique<HistoryStore>(folder_.AppFilePath(kHistoryFile))),
      history_(std::make_unique<HistoryRecorder>(*historyStore_, clock_, locale_)),
      settingsWindow_(
          std::make_unique<SettingsWindow>(settings_, folder_, Autostart::ForRunningProgram())),
      menus_(std::make_unique<ProgramMenus>(settingsWindow_.get())),
      watcherTimer_(new QTimer(settingsWindow_.get())),
      tray_(this, TrayIcon::Attach::Later),
      notifier_(new DesktopNotifier(tray_, QDBusConnection::sessionBus(), this)),
      modem_(nullptr) {
    watcherTimer_->setObjectName(QStringLiteral("Timer1"));
    watcherTimer_->setInterval(kWatcherIntervalMs);
    connect(watcherTimer_, &QTimer::timeout, this, &Application::WatcherTick);
    connect(&tray_, &TrayIcon::Click, this, &Application::OnTrayClick);
    connect(&tray_, &TrayIcon::DblClick, this, &Application::OnTrayDblClick);
    // Alerts that reached nobody are shown once a notification service is there.
    connect(notifier_, &DesktopNotifier::serviceAppeared, this, [this] {
        for (const DueAlert& alert : history_->TakeUnshown()) Alert(alert);
    });
    WireMenus();
    WireModem();
    notifier_->SetBalloonReachesUser(trayHost_.available && !trayHost_.ShowsExportedMenu());
    settingsWindow_->installEventFilter(this);
    qApp->installEventFilter(this);  // the menu keys, in every window of the program
}

Application::~Application() {
    qApp->removeEventFilter(this);
    SetFileNoticeHandler({});
    delete indicator_.data();  // nothing is stored: the program simply ends
}

void Application::WireMenus() {
    const ProgramMenus& m = *menus_;
    connect(m.settingsItem, &QAction::triggered, this, &Application::ShowSettings);
    connect(m.indicatorItem, &QAction::triggered, this, &Application::ShowIndicator);
    connect(m.statisticsItem, &QAction::triggered, this, &Application::ShowStatistics);
    connect(m.historyItem, &QAction::triggered, this, &Application::ShowHistory);
    connect(m.helpItem, &QAction::triggered, this, &Application::OpenHelp);
    connect(m.aboutItem, &QAction::triggered, this, [] { AboutWindow::ShowSingle(); });
    connect(m.exitItem, &QAction::triggered, this, &Application::Exit);
    connect(m.stayOnTopItem, &QAction::triggered, this, &Application::ToggleStayOnTop);
    connect(m.closeItem, &QAction::triggered, this, &Application::CloseIndicator);
    // The editors are modal: the settings window reloads its controls when they close.
    connect(settingsWindow_.get(), &SettingsWindow::tariffEditorRequested, this, [this] {
        TariffEditor editor(folder_, locale_, settingsWindow_.get());
        editor.exec();
    });
    connect(settingsWindow_.get(), &SettingsWindow::scriptEditorRequested, this, [this] {
        ScriptEditor editor(folder_, settingsWindow_.get());
        editor.exec();
    });
    if (!trayHost_.available) {
        // Without a notification area the settings window is the way to every item.
        settingsWindow_->addActions(m.trayMenu->actions());
        settingsWindow_->setContextMenuPolicy(Qt::ActionsContextMenu);
        settingsWindow_->setToolTip(tr("Меню программы: правая кнопка мыши"));
    }
}

bool Application::Start(SingleInstance& instance, QDBusConnection sessionBus) {
    settings_ = LoadSettings(folder_);
    if (!instance.Acquire()) {
        // The running program is left alone, unless it has no tray: its settings window is
        // then the only way in, and may be out of sight.
        if (!trayHost_.available) (void)BusService::AskToShowSettings(sessionBus);
        QMessageBox::warning(nullptr, kTitle, tr("Программа уже запущена!"));
        return false;
    }
    bus_ = std::make_unique<BusService>(sessionBus, [this] { return FiguresNow(); });
    connect(bus_.get(), &BusService::showSettingsRequested, this, &Application::ShowSettings);
    connect(bus_.get(), &BusService::showIndicatorRequested, this, &Application::ShowIndicator);
    connect(bus_.get(), &BusService::showHistoryRequested, this, &Application::ShowHistory);
    connect(bus_.get(), &BusService::showStatisticsRequested, this, &Application::ShowStatistics);
    connect(bus_.get(), &BusService::quitRequested, this, &Application::Exit);
    (void)bus_->Register();  // a second program on the bus simply runs without it
    // File problems met by the timers are told in a window that does not stop them.
    SetFileNoticeHandler(
        [](const QString& message) { ShowWithoutWaiting(QMessageBox::Warning, kTitle, message); });
    tray_.SetIcon(ProgramIcon());
    tray_.SetToolTip(
        QStringLiteral("Vantoril v%1.%2").arg(VANTORIL_VERSION_MAJOR).arg(VANTORIL_VERSION_MINOR));
    ApplyTrayMenu();
    if (trayHost_.available) tray_.AttachToNotificationArea();
    tray_.Show();
    Tell(history_->Start());
    modem_->SetLastBalance(LastBalance(*historyStore_));
    ResumeConnection();
    if (settings_.hide_start == 1 && trayHost_.available) {
        settingsWindow_->hide();
    } else {
        ShowSettings();
        if (settings_.hide_start == 1) lateTrayHidesUntilMs_ = steady_.ElapsedMs() + kLateTrayMs;
    }
    watcherTimer_->start();
    // A connection already up shows its indicator as soon as the event loop runs, not
    // after the first whole interval.
    QTimer::singleShot(0, this, &Application::WatcherTick);
    Indicator().RunSamplingTick();
    return true;
}

IndicatorWindow& Application::Indicator() {
    if (indicator_) return *indicator_;
    auto* form =
        new IndicatorWindow(IndicatorServices{folder_, settings_, counters_, *link_, *address_,
                                              *sampling_, [this] { ScriptTick(); }, locale_});
    indicator_ = form;
    connect(form, &IndicatorWindow::menuRequested, this,
            [this](const QPoint& position) { menus_->indicatorMenu->popup(position); });
    connect(form, &IndicatorWindow::closeRequested, this, &Application::CloseIndicator);
    connect(form, &IndicatorWindow::sampled, this, [this] {
        CheckAlerts();
        ModemTick();
        // Panels hear at most one change a second: figures they show by the second.
        const int64_t now = steady_.ElapsedMs();
        if (bus_ && announceGap_.Due(now) && bus_->Publish()) announceGap_.Done(now);
    });
    form->Load();
    // The check mark outlives the window: a window loaded again follows it.
    if (menus_->stayOnTopItem->isChecked()) form->SetStayOnTop(true);
    return *form;
}

void Application::CloseIndicator() {
    IndicatorWindow* form = indicator_.data();
    if (!form) return;
    indicator_.clear();
    form->Unload();
    form->hide();
    // A tick waiting on a message box still runs inside the window: delete it after.
    if (form->InTick())
        connect(form, &IndicatorWindow::idle, form, &QObject::deleteLater);
    else
        form->deleteLater();
}

void Application::ScriptTick() {
    if (!ScriptRunner) ScriptRunner = std::make_unique<ScriptInterpreter>(*scriptHost_);
    ScriptRunner->SetCode(scriptSource_.Text());
    ScriptRunner->run();
}

void Application::WatcherTick() {
    const TickGuard guard(watching_);
    if (!guard.Entered()) return;
    localZone_.Follow();
    SwitchLinkIfChosen();
    LinkSighting sighting;
    sighting.connected = link_->IsLinkConnected();
    if (sighting.connected) {
        sighting.name = link_->GetLinkName();
        sighting.connection = link_->GetLinkStats().connection;
    }
    // A connection never counted (it ended before a sampling tick read it) costs nothing.
    const TrafficCounters watched =
        sampling_->CountersOf(watcher_.Connection()).value_or(TrafficCounters());
    sighting.totalCost = watched.TotalCost;
    sighting.timeCost = watched.TimeCost;
    const WatcherStep step = watcher_.Tick(sighting, settings_);
    switch (step.indicator) {
        case IndicatorAction::Keep:
            break;
        case IndicatorAction::EnsureLoaded:
            Indicator();
            break;
        case IndicatorAction::Show:
            if (!Indicator().isVisible()) Indicator().show();
            break;
        case IndicatorAction::Hide:
            Indicator().hide();
            break;
    }
    HistorySighting history = HistorySightingOf(
        step.ended && !sighting.connected ? watched : counters_, sighting.connected, sighting.name);
    history.booked = step.error.isEmpty();
    if (step.ended && sighting.connected)
        history.handedOver =
            HistorySighting::Ended{HistoryFigures(watched, settings_.Type_tar), watched.Classes};
    Tell(history_->Tick(history, LimitsOf(settings_)));
    if (!step.error.isEmpty())
        ShowWithoutWaiting(QMessageBox::Critical, QStringLiteral("Vantoril Statistic Error"),
                           step.error);
}

HistorySighting Application::HistorySightingOf(const TrafficCounters& counters, bool connected,
                                               const QString& name) const {
    HistorySighting history;
    history.connected = connected;
    history.name = name;
    if (connected) history.linkSource = linkSourceSetting_;
    history.figures = HistoryFigures(counters, settings_.Type_tar);
    history.classes = counters.Classes;
    history.tariffType = settings_.Type_tar;
    return history;
}

void Application::SwitchLinkIfChosen() {
    if (SameLinkSource(settings_.link_source, linkSourceSetting_)) return;
    if (IndicatorLoaded()) Indicator().RunSamplingTick();  // nothing of the old one is lost
    linkSourceSetting_ = settings_.link_source;
    LinkSourceChoice choice = CreateLinkSource(linkSourceSetting_, folder_, steady_);
    link_->Switch(std::move(choice.source));
    qCInfo(lcLink) << "now watching the link chosen by" << linkSourceSetting_;
    if (!choice.error.isEmpty()) ShowWithoutWaiting(QMessageBox::Warning, kTitle, choice.error);
}

void Application::ResumeConnection() {
    if (!link_->IsLinkConnected()) return;  // the first watcher tick closes what was left open
    // Before the first tick counts anything: the connection goes on with what its row
    // holds per tariff class, and what it used while no program ran counts at that tick.
    const TrafficCounters found = ComputeTrafficCounters(link_->GetLinkStats(), 0);
    const std::optional<ClassShares> classes =
        history_->TakeUpLeftOpen(HistorySightingOf(found, true, link_->GetLinkName()));
    if (classes) counters_.Classes = *classes;
}

void Application::KeepLastFigures() {
    history_->KeepLastFigures(
        HistorySightingOf(counters_, sampling_->LinkConnected(), watcher_.ConnectionName()));
}

PeriodReport Application::CurrentPeriod() {
    return history_->Report(LimitsOf(settings_), HistoryFigures(counters_, settings_.Type_tar));
}

PeriodUse Application::PeriodUsage() {
    return history_->PeriodUsage(LimitsOf(settings_),
                                 HistoryFigures(counters_, settings_.Type_tar));
}

MeterFigures Application::FiguresNow() {
    const bool connected = sampling_->LinkConnected();
    MeterFigures figures = MakeMeterFigures(connected, connected ? link_->GetLinkName() : QString(),
                                            counters_, settings_.Type_tar, PeriodUsage(),
                                            LimitsOf(settings_), scriptHost_->Message());
    if (const auto& balance = modem_->Balance()) {
        figures.balance = balance->amount.value_or(figures.balance);
        figures.balanceText = balance->text;
        figures.balanceTime = balance->at.toSecsSinceEpoch();
    }
    figures.roaming = modem_->Roaming();
    return figures;
}

void Application::Tell(const QStringList& notices) {
    for (const QString& text : notices) notifier_->Notify(kTitle, text);
}

void Application::CheckAlerts() {
    const QList<DueAlert> due =
        history_->FreshAlerts(LimitsOf(settings_), HistoryFigures(counters_, settings_.Type_tar));
    for (const DueAlert& alert : due) Alert(alert);
}

void Application::Alert(const DueAlert& alert) {
    // The recorder outlives the notifier's answers: both belong to this object.
    notifier_->Notify(
        kAlertTitle, alert.text,
        [this, alert](bool shown) {
            if (shown)
                history_->AlertShown(alert);
            else
                history_->AlertUnshown(alert);
        },
        AlertActionsNow());
}

QList<NotificationAction> Application::AlertActionsNow() {
    const uint64_t connection = sampling_->LinkConnected() ? counters_.Stats.connection : 0;
    return AlertActions(*link_, connection, [this] { ShowHistory(); });
}

void Application::SetTrayHost(TrayHost host) {
    const bool appeared = host.available && !trayHost_.available;
    trayHost_ = host;
    notifier_->SetBalloonReachesUser(host.available && !host.ShowsExportedMenu());
    ApplyTrayMenu();
    if (!appeared) return;
    tray_.AttachToNotificationArea();
    if (lateTrayHidesUntilMs_ && steady_.ElapsedMs() <= *lateTrayHidesUntilMs_)
        settingsWindow_->hide();
    lateTrayHidesUntilMs_.reset();
}

// Hosts that show the menu themselves get it handed over; the others get it popped up.
void Application::ApplyTrayMenu() {
    tray_.SetContextMenu(trayHost_.ShowsExportedMenu() ? menus_->trayHostMenu : nullptr);
}

void Application::OnTrayClick(int button) {
    if (button == TrayIcon::Right) {
        if (!trayHost_.ShowsExportedMenu()) menus_->trayMenu->exec(QCursor::pos());
    } else if (button == TrayIcon::Left && !trayHost_.reportsDoubleClicks) {
        ShowSettings();  // such hosts never report the double click that would
    }
}

void Application::OnTrayDblClick(int button) {
    if (button == TrayIcon::Left) ShowSettings();
}

void Application::ShowSettings() {
    // Minimised, where no tray icon could bring it back: the request restores it.
    settingsWindow_->setWindowState(settingsWindow_->windowState() & ~Qt::WindowMinimized);
    settingsWindow_->ShowSettings();
}

void Application::ShowIndicator() {
    IndicatorWindow& form = Indicator();
    form.show();
    form.raise();
}

void Application::ShowStatistics() {
    if (!statisticsWindow_) statisticsWindow_ = new StatisticsWindow(folder_);
    BringForward(*statisticsWindow_);
}

void Application::ShowHistory() {
    if (!historyWindow_) {
        historyWindow_ =
            new HistoryWindow(folder_, clock_, locale_, nullptr, HistoryWindow::AskForSaveFile,
                              [this] { return CurrentPeriod(); });
        historyWindow_->setAttribute(Qt::WA_DeleteOnClose);
        connect(historyWindow_, &HistoryWindow::connectionWindowRequested, this, [this] {
            auto* window = new ConnectionWindow(folder_, QDBusConnection::systemBus(),
                                                KernelPaths(), historyWindow_);
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->open();  // the timers go on; the next sampling tick reads the choice
        });
        historyWindow_->AddBudgetRow(new ModemRows(
            *modem_, folder_, locale_, [this] { return settings_.currency; },
            [this] { return BalanceSpan(); }));
    }
    BringForward(*historyWindow_);
}

void Application::OpenHelp() {
    const QString help = HelpDocument(folder_, QCoreApplication::applicationDirPath());
    if (!help.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}

void Application::ToggleStayOnTop() {
    Indicator().SetStayOnTop(menus_->stayOnTopItem->isChecked());
}

void Application::Open(const QString& window) {
    if (window == QLatin1String("history")) {
        ShowHistory();
    } else if (window == QLatin1String("statistics")) {
        ShowStatistics();
    } else {
        ShowSettings();
    }
}

void Application::Exit() {
    KeepLastFigures();
    tray_.Hide();
    ending_ = true;
    Q_EMIT exitRequested();
}

void Application::EndSession() {
    if (ending_) return;
    ending_ = true;
    KeepLastFigures();
    settingsWindow_->AllowClose();
    CloseIndicator();
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && IsMenuKey(*static_cast<QKeyEvent*>(event)) &&
        watched->isWidgetType() && !qobject_cast<QMenu*>(watched) &&
        !QApplication::activeModalWidget()) {
        // A tray icon takes no focus: from the keyboard this is the way to every item. A
        // modal window (an editor, a box) keeps the key for itself.
        const auto* widget = static_cast<QWidget*>(watched);
        menus_->trayMenu->popup(widget->mapToGlobal(widget->rect().center()));
        return true;
    }
    if (watched == settingsWindow_.get() && event->type() == QEvent::Close && !ending_ &&
        !trayHost_.available) {
        // With no tray icon to bring it back, the settings window stays in the taskbar.
        event->ignore();
        settingsWindow_->showMinimized();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// Without NetworkManager there is no modem to ask: every question says so once.
void Application::WireModem() {
    auto* manager = dynamic_cast<NetworkManagerLink*>(&link_->Current());
    modem_ = new ModemFeatures(manager ? manager->Bus() : QDBusConnection(QString()), steady_,
                               clock_, locale_, this);
    connect(modem_, &ModemFeatures::balanceTaken, this, [this](const BalanceEntry& entry) {
        if (!AddBalance(*historyStore_, entry))
            qCWarning(lcHistory) << "the balance answer could not be kept in the history";
    });
    connect(modem_, &ModemFeatures::notice, this,
            [this](const QString& text) { notifier_->Notify(kAlertTitle, text); });
    connect(modem_, &ModemFeatures::alert, this, [this](const QString& text) {
        notifier_->Notify(kAlertTitle, text, {}, AlertActionsNow());
    });
    // The hang-up a script's "disconn" makes.
    connect(modem_, &ModemFeatures::hangUpWanted, this,
            [this](uint64_t connection) { link_->HangUpLink(connection); });
    scriptHost_->SetOperatorFigures([this] {
        const auto& balance = modem_->Balance();
        return ProgramScriptHost::OperatorFigures{balance ? balance->amount : std::nullopt,
                                                  modem_->Roaming()};
    });
}

void Application::ModemTick() {
    ModemSighting sighting;
    if (sampling_->LinkConnected()) sighting.connection = counters_.Stats.connection;
    if (const auto* manager = dynamic_cast<NetworkManagerLink*>(&link_->Current())) {
        const NetworkManagerConnection& watched = manager->Watched();
        sighting.name = watched.id;
        sighting.modem = watched.modem;
        sighting.profile = watched.profile;
        sighting.metered = watched.metered;
    }
    double percent = 0;
    const PeriodLimits limits = LimitsOf(settings_);
    if (settings_.metered_at > 0 && (limits.budget > 0 || limits.capMb > 0)) {
        const PeriodTotals totals = RoundedTotals(limits, PeriodUsage());
        if (limits.budget > 0) percent = totals.bill / limits.budget * 100;
        if (limits.capMb > 0) percent = std::max(percent, totals.megabytes / limits.capMb * 100);
    }
    modem_->Tick(sighting, settings_, percent);
}

QString Application::BalanceSpan() {
    const QList<BalanceEntry> entries =
        BalancesBetween(*historyStore_, CurrentPeriod().period.StartTime(), clock_.Now());
    if (entries.size() < 2) return {};
    const double counted = historyStore_->UsageBetween(entries.first().at, entries.last().at).cost;
    return BalanceSpanLine(entries, counted, settings_.currency, locale_);
}
