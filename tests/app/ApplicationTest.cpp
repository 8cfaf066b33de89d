// SPDX-License-Identifier: GPL-3.0-or-later
// The running program as a user meets it: start-up, tray, menus, indicator, watcher, script.
#include "ApplicationFixture.h"
#include "MockNetworkManager.h"
#include "ShippedFiles.h"
#include "history/HistoryStore.h"
#include "link/NetworkManagerLink.h"
#include "link/ScenarioLink.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QUrl>

namespace {
// Catches what the desktop would be asked to open.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "Open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public Q_SLOTS:
    void Open(const QUrl& url) { urls << url; }
};
}  // namespace

using ApplicationStart = ApplicationFixture;

TEST_F(ApplicationStart, showsTheTrayIconAndLoadsTheIndicatorHidden) {
    WriteSettings("hide_start=1\r\n");
    Application& program = Run();
    ASSERT_TRUE(started);
    EXPECT_TRUE(program.Tray().IconShown());
    EXPECT_EQ(program.Tray().ToolTip(), QStringLiteral("Vantoril v2.1 "));
    EXPECT_FALSE(program.SettingsUi().isVisible());
    ASSERT_TRUE(program.IndicatorLoaded());
    EXPECT_FALSE(program.Indicator().isVisible());
    EXPECT_EQ(program.Indicator().windowTitle(), QStringLiteral("Не найдено!"));
    EXPECT_TRUE(program.SettingsUi().findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
}

TEST_F(ApplicationStart, settingsWindowIsShownWithoutHideStart) {
    WriteSettings("");
    EXPECT_TRUE(Run().SettingsUi().isVisible());
}

TEST_F(ApplicationStart, withoutANotificationAreaTheSettingsWindowOffersEveryTrayItem) {
    WriteSettings("hide_start=1\r\n");
    Application& program = Run(TrayHost{false, false});
    SettingsWindow& settings = program.SettingsUi();
    EXPECT_TRUE(settings.isVisible());
    EXPECT_EQ(settings.contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_EQ(settings.actions(), program.Menus().trayMenu->actions());
    settings.close();  // nothing would bring a hidden window back
    EXPECT_TRUE(settings.isVisible());
}

TEST_F(ApplicationStart, secondInstanceIsToldAndStopsBeforeShowingAnything) {
    SingleInstance running(lockFolder.Path(), programFolder.Path());
    ASSERT_TRUE(running.Acquire());
    WriteSettings("");
    QString told;
    CloseNextBox(&told);
    Application& program = Run();
    EXPECT_FALSE(started);
    EXPECT_EQ(told, QStringLiteral("Программа уже запущена!"));
    EXPECT_FALSE(program.Tray().IconShown());
    EXPECT_FALSE(program.SettingsUi().isVisible());
    EXPECT_FALSE(program.IndicatorLoaded());
}

using ProgramMenusTest = ApplicationFixture;

TEST_F(ProgramMenusTest, trayMenuHoldsItsItemsInOrder) {
    WriteSettings("hide_start=1\r\n");
    Run();
    QStringList captions;
    for (QAction* action : app->Menus().trayMenu->actions()) captions << action->text();
    EXPECT_EQ(captions, QStringList({QStringLiteral("Настройки"), QStringLiteral("Индикатор"),
                                     QStringLiteral("Статистика"),
                                     QStringLiteral("История и бюджет"), QStringLiteral("Помощь"),
                                     QStringLiteral("О программе"), QStringLiteral("Выход")}));
    EXPECT_EQ(app->Menus().indicatorMenu->actions().size(), 2);
}

TEST_F(ProgramMenusTest, menuKeyAndShiftF10OpenTheProgramMenuInItsWindowsAlsoWithATray) {
    WriteSettings("hide_start=0\r\n");
    Run(TrayHost{true, true});
    QMenu& menu = *app->Menus().trayMenu;
    QWidget* first = app->SettingsUi().focusWidget();  // "Check1", not the transparency bar
    ASSERT_NE(first, nullptr);
    QTest::keyClick(first, Qt::Key_Menu);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    app->Open(QStringLiteral("statistics"));  // as `--show statistics` asks
    QWidget* statistics = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == u"Form7" && window->isVisible()) statistics = window;
    ASSERT_NE(statistics, nullptr);
    QTest::keyClick(statistics, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    statistics->close();                 // it outlives the program object otherwise
    QDialog editor(&app->SettingsUi());  // as the tariff editor, whose class buttons take it
    editor.setModal(true);
    editor.show();
    QTest::keyClick(&editor, Qt::Key_Menu);
    EXPECT_FALSE(menu.isVisible()) << "a modal window keeps the key";
}

TEST_F(ProgramMenusTest, closeStoresThePositionAndTheIndicatorComesBackThere) {
    WriteSettings("hide_start=1\r\n");
    Run();
    Item("mnuIndikator").trigger();
    EXPECT_TRUE(app->Indicator().isVisible());
    app->Indicator().move(60, 40);
    Item("mnuClose").trigger();
    EXPECT_FALSE(app->IndicatorLoaded());
    EXPECT_TRUE(Conf().contains(QStringLiteral("i_left=900\r\n"))) << Conf().toStdString();
    EXPECT_TRUE(Conf().contains(QStringLiteral("i_top=600\r\n")));
    Item("mnuIndikator").trigger();
    EXPECT_EQ(app->Indicator().pos(), QPoint(60, 40));
}

TEST_F(ProgramMenusTest, exitEndsAtOnceWithoutStoringThePosition) {
    WriteSettings("hide_start=1\r\ni_left=150\r\ni_top=150\r\n");
    Run();
    Item("mnuIndikator").trigger();
    app->Indicator().move(300, 200);
    QSignalSpy exit(app.get(), &Application::exitRequested);
    Item("mnuExit").trigger();
    EXPECT_EQ(exit.count(), 1);
    EXPECT_FALSE(app->Tray().IconShown());
    app.reset();
    EXPECT_TRUE(Conf().contains(QStringLiteral("i_left=150\r\n")));
    EXPECT_FALSE(Conf().contains(QStringLiteral("4500")));
}

TEST_F(ProgramMenusTest, endOfTheSessionStoresThePositionAndLetsTheSettingsWindowClose) {
    WriteSettings("");
    Run();
    app->Indicator().move(30, 30);
    app->EndSession();  // what a Quit from the session manager or a signal leads to
    EXPECT_FALSE(app->IndicatorLoaded());
    EXPECT_TRUE(Conf().contains(QStringLiteral("i_left=450\r\n")));
    EXPECT_TRUE(app->SettingsUi().close());
}

TEST_F(ProgramMenusTest, settingsWindowCloseBoxHidesItAndTheProgramGoesOn) {
    WriteSettings("");
    Run();
    EXPECT_FALSE(app->SettingsUi().close());
    EXPECT_FALSE(app->SettingsUi().isVisible());
    EXPECT_TRUE(app->Tray().IconShown());
    EXPECT_TRUE(app->IndicatorLoaded());
}

TEST_F(ProgramMenusTest, stayOnTopFollowsTheCheckMarkAlsoAfterAReload) {
    WriteSettings("hide_start=1\r\n");
    Run();
    const auto onTop = [this] {
        return app->Indicator().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    };
    EXPECT_FALSE(onTop());
    Item("mnuStayOnTop").trigger();
    EXPECT_TRUE(Item("mnuStayOnTop").isChecked());
    EXPECT_TRUE(onTop());
    Item("mnuClose").trigger();
    EXPECT_TRUE(onTop());
    Item("mnuStayOnTop").trigger();
    EXPECT_FALSE(Item("mnuStayOnTop").isChecked());
    EXPECT_FALSE(onTop());
}

TEST_F(ProgramMenusTest, historyOpensOneWindowAndBringsItBack) {
    WriteSettings("hide_start=1\r\n");
    Run();
    const auto historyWindows = [] {
        QList<QWidget*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == u"HistoryWindow" && w->isVisible()) found.append(w);
        return found;
    };
    // Qt Charts comes with the chart module, when a window first shows a chart.
    const auto chartsMapped = [] {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Charts");
    };
    EXPECT_FALSE(chartsMapped());
    Item("mnuHistory").trigger();
    ASSERT_EQ(historyWindows().size(), 1);
    EXPECT_TRUE(chartsMapped());
    QWidget* window = historyWindows().first();
    window->showMinimized();
    app->ShowHistory();  // as the bus asks for it
    ASSERT_EQ(historyWindows().size(), 1);
    EXPECT_EQ(historyWindows().first(), window);
    EXPECT_FALSE(window->isMinimized());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(historyWindows().isEmpty());
}

TEST_F(ProgramMenusTest, theHistoryWindowLeadsToTheConnectionWindow) {
    WriteSettings("hide_start=1\r\n");
    Run();
    Item("mnuHistory").trigger();
    QPushButton* button = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!button) button = w->findChild<QPushButton*>(QStringLiteral("connection"));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_TRUE(button->window()->findChild<QDialog*>("ConnectionWindow")->isVisible());
    button->window()->close();
}

TEST_F(ProgramMenusTest, statisticsOpensOneViewerAndBringsItBack) {
    Run();
    const auto viewers = [] {
        QWidgetList all = QApplication::topLevelWidgets();
        all.removeIf([](QWidget* w) { return w->objectName() != u"Form7" || !w->isVisible(); });
        return all;
    };
    Item("mnuStatistic").trigger();
    ASSERT_EQ(viewers().size(), 1);
    viewers().first()->showMinimized();
    Item("mnuStatistic").trigger();
    ASSERT_EQ(viewers().size(), 1);
    EXPECT_FALSE(viewers().first()->isMinimized());
    viewers().first()->close();
}

TEST_F(ProgramMenusTest, helpOpensHelpChmOnlyWhenItIsThere) {
    WriteSettings("hide_start=1\r\n");
    Run();
    OpenedUrls opened;
    Item("mnuHelp").trigger();
    EXPECT_TRUE(opened.urls.isEmpty());
    programFolder.Write(QStringLiteral("help.chm"), "ITSF");
    Item("mnuHelp").trigger();
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls.first(),
              QUrl::fromLocalFile(programFolder.File(QStringLiteral("help.chm"))));
}

TEST_F(ProgramMenusTest, settingsWindowOpensBothEditorsModally) {
    WriteSettings("");
    Run();
    QStringList opened;
    for (int editor = 0; editor < 2; ++editor) {
        QTimer::singleShot(0, [&opened] {
            QWidget* window = QApplication::activeModalWidget();
            ASSERT_NE(window, nullptr);
            opened << window->objectName();
            window->close();
        });
        if (editor == 0)
            Q_EMIT app->SettingsUi().tariffEditorRequested();
        else
            Q_EMIT app->SettingsUi().scriptEditorRequested();
    }
    EXPECT_EQ(opened, QStringList({QStringLiteral("Form2"), QStringLiteral("Form5")}));
}

using TrayClicks = ApplicationFixture;

TEST_F(TrayClicks, leftDoubleClickShowsTheSettingsWindow) {
    WriteSettings("hide_start=1\r\n");
    Run();
    Q_EMIT app->Tray().Click(1);
    EXPECT_FALSE(app->SettingsUi().isVisible());
    Q_EMIT app->Tray().DblClick(2);
    EXPECT_FALSE(app->SettingsUi().isVisible());
    Q_EMIT app->Tray().DblClick(1);
    EXPECT_TRUE(app->SettingsUi().isVisible());
}

TEST_F(TrayClicks, hostsWithoutDoubleClicksShowTheSettingsWindowOnALeftClick) {
    WriteSettings("hide_start=1\r\n");
    Run(TrayHost{true, false});
    Q_EMIT app->Tray().Click(1);
    EXPECT_TRUE(app->SettingsUi().isVisible());
}

namespace {
class TrayFixture : public ApplicationFixture {
protected:
    QSystemTrayIcon* PlatformIcon() { return app->Tray().findChild<QSystemTrayIcon*>(); }

    // The menu that a right press on the icon pops up (closed again at once), or none.
    QMenu* MenuOfARightPress() {
        QPointer<QMenu> popped;
        QTimer::singleShot(0, [&popped] {
            popped = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (popped) popped->close();
        });
        Q_EMIT app->Tray().Click(2);
        QCoreApplication::processEvents();  // the look runs also when nothing popped up
        return popped;
    }
};
}  // namespace

using TrayMenu = TrayFixture;

TEST_F(TrayMenu, statusNotifierHostsAreHandedTheMenuAndNothingPopsUp) {
    WriteSettings("hide_start=1\r\n");
    Run(TrayHost{true, false});
    ASSERT_NE(PlatformIcon(), nullptr);
    QMenu* handedOver = PlatformIcon()->contextMenu();
    ASSERT_EQ(handedOver, app->Menus().trayHostMenu);
    EXPECT_EQ(handedOver->actions(), app->Menus().trayMenu->actions()) << "the six items in order";
    EXPECT_EQ(MenuOfARightPress(), nullptr);
}

TEST_F(TrayMenu, x11TraysGetTheMenuPoppedUpAndNoneHandedOver) {
    WriteSettings("hide_start=1\r\n");
    Run(TrayHost{true, true});
    ASSERT_NE(PlatformIcon(), nullptr);
    EXPECT_EQ(PlatformIcon()->contextMenu(), nullptr);
    EXPECT_EQ(MenuOfARightPress(), app->Menus().trayMenu);
}

// A panel that starts after the program, as at login.
using LateTray = TrayFixture;

TEST_F(LateTray, trayWithinTheFirstSecondsHidesTheSettingsWindowAndCloseHidesFromThenOn) {
    WriteSettings("hide_start=1\r\n");
    Run(TrayHost{false, false});
    SettingsWindow& settings = app->SettingsUi();
    EXPECT_TRUE(settings.isVisible());
    EXPECT_EQ(PlatformIcon(), nullptr) << "no platform icon before there is a tray";

    steady.Step(kLateTrayMs);
    app->SetTrayHost(TrayHost{true, false});
    ASSERT_NE(PlatformIcon(), nullptr);
    EXPECT_TRUE(PlatformIcon()->isVisible());
    EXPECT_EQ(PlatformIcon()->contextMenu(), app->Menus().trayHostMenu);
    EXPECT_FALSE(settings.isVisible());

    Item("mnuSettings").trigger();
    EXPECT_TRUE(settings.isVisible());
    EXPECT_FALSE(settings.close());
    EXPECT_FALSE(settings.isVisible()) << "with a tray the close box hides";
}

TEST_F(LateTray, laterTrayLeavesTheWindowAndATrayThatGoesBringsMinimisingBack) {
    WriteSettings("hide_start=1\r\n");
    Run(TrayHost{false, false});
    steady.Step(kLateTrayMs + 1);
    app->SetTrayHost(TrayHost{true, true});
    SettingsWindow& settings = app->SettingsUi();
    EXPECT_TRUE(settings.isVisible()) << "the user may be at work in it by now";

    app->SetTrayHost(TrayHost{});
    settings.close();
    EXPECT_TRUE(settings.isVisible());
    EXPECT_TRUE(settings.isMinimized());
}

TEST_F(LateTray, withoutHideStartTheWindowStays) {
    WriteSettings("");
    Run(TrayHost{false, false});
    app->SetTrayHost(TrayHost{true, true});
    EXPECT_TRUE(app->SettingsUi().isVisible());
}

namespace {
// "ОК" writes the autostart entry: into a folder of the test, never the user's.
class SettingsButtons : public ApplicationFixture {
protected:
    void SetUp() override {
        savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", configHome.Path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", savedConfigHome); }

    void Click(const char* name) {
        app->SettingsUi().findChild<QPushButton*>(QLatin1String(name))->click();
    }
    bool Minimised() { return app->SettingsUi().isVisible() && app->SettingsUi().isMinimized(); }

    TempFolder configHome;
    QByteArray savedConfigHome;
};
}  // namespace

TEST_F(SettingsButtons, withoutATrayOkCancelAndEscapeMinimiseTheWindowAndTheMenuRestoresIt) {
    WriteSettings("");
    Run(TrayHost{false, false});
    SettingsWindow& settings = app->SettingsUi();
    Click("Command3");
    EXPECT_TRUE(Minimised()) << "Отмена";
    Item("mnuSettings").trigger();
    EXPECT_FALSE(settings.isMinimized());

    QTest::keyClick(&settings, Qt::Key_Escape);
    EXPECT_TRUE(Minimised()) << "Escape";
    Item("mnuSettings").trigger();

    settings.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
    Click("Command4");
    EXPECT_TRUE(Minimised()) << "ОК";
    EXPECT_TRUE(Conf().contains(QStringLiteral("hide_start=1"))) << "and the settings are saved";
}

TEST_F(SettingsButtons, withATrayOkCancelAndEscapeHideTheWindow) {
    WriteSettings("");
    Run();
    SettingsWindow& settings = app->SettingsUi();
    Click("Command3");
    EXPECT_FALSE(settings.isVisible());
    Item("mnuSettings").trigger();
    QTest::keyClick(&settings, Qt::Key_Escape);
    EXPECT_FALSE(settings.isVisible());
    Item("mnuSettings").trigger();
    Click("Command4");
    EXPECT_FALSE(settings.isVisible());
    EXPECT_FALSE(settings.isMinimized());
}

using Watcher = ApplicationFixture;

TEST_F(Watcher, showsTheIndicatorWhileTheLinkIsUpAndBooksItsCostAtTheEnd) {
    WriteSettings("hide_start=1\r\nauto_show=1\r\n");
    programFolder.Write(QStringLiteral("connections/.keep"), "");
    Run();
    link->connected = true;
    app->WatcherTick();
    EXPECT_TRUE(app->Indicator().isVisible());
    link->connected = false;
    app->WatcherTick();
    EXPECT_FALSE(app->Indicator().isVisible());
    EXPECT_TRUE(programFolder.Exists(QStringLiteral("connections/MyISP.vlg")));
}

// The connection watched until a hand edit of link_source is booked once, with all it
// counted, and the new choice is watched without a restart.
TEST_F(Watcher, aChangedLinkSourceIsWatchedAtOnceAndTheOldConnectionIsBookedOnce) {
    for (const char* name : {"tar.dat", "tar.money.dat"})
        programFolder.Write(name, ShippedDefault(name));  // 2 a MB at noon
    programFolder.Write(QStringLiteral("other.scenario"), "0 connected 0 0 48000 Other Line\n");
    programFolder.Write(QStringLiteral("connections/.keep"), "");
    WriteSettings("hide_start=1\r\nauto_show=1\r\n");
    Run();
    link->connected = true;
    link->stats.connection = 1;
    app->Indicator().RunSamplingTick();
    app->WatcherTick();
    link->stats.bytesReceived = 1048576;
    WriteSettings("hide_start=1\r\nauto_show=1\r\nlink_source=scenario:other.scenario\r\n");
    QCoreApplication::processEvents();    // the file's notice, as between two ticks
    app->Indicator().RunSamplingTick();   // reads the file
    link->stats.bytesReceived = 2097152;  // after the last sampling tick: counted at the switch
    app->WatcherTick();
    const QString book = QStringLiteral("connections/MyISP.vlg");
    ASSERT_TRUE(programFolder.Exists(book));
    const QByteArray booked = programFolder.Read(book);
    EXPECT_TRUE(booked.endsWith("=4\r\n")) << booked.constData();
    app->Indicator().RunSamplingTick();
    app->WatcherTick();
    EXPECT_EQ(programFolder.Read(book), booked) << "booked once";
    EXPECT_EQ(app->Indicator().windowTitle(), QStringLiteral("Other Line"));
    EXPECT_FALSE(programFolder.Exists(QStringLiteral("connections/Other Line.vlg")));
}

// A call hung up and dialled again between two looks of the watcher, as NetworkManager
// (dbusmock) tells it: each call of 1 MB is booked at 2, with a history row of its own.
TEST_F(Watcher, aRedialBetweenTwoLooksBooksBothCalls) {
    MockNetworkManager mock;
    if (!mock.Unavailable().isEmpty()) GTEST_SKIP() << qPrintable(mock.Unavailable());
    for (const char* name : {"tar.dat", "tar.money.dat"})
        programFolder.Write(name, ShippedDefault(name));  // 2 a MB at noon
    const QString modem = mock.AddDevice("modem0", "ppp0", 8);
    mock.AddProperties(modem, "org.freedesktop.NetworkManager.Device.Statistics",
                       {{"RxBytes", 1048576ull}, {"TxBytes", 0ull}});
    const QString profile = mock.AddProfile("Mobile", "gsm");
    const QString first = mock.Activate(modem, profile, "0");
    auto source = std::make_unique<NetworkManagerLink>(mock.Bus(), steady, QString(),
                                                       programFolder.File("no-sys"));
    NetworkManagerLink& nm = *source;
    Run(TrayHost{true, true}, QDBusConnection(QString()), std::move(source));
    const auto ticks = [&](const std::function<bool()>& caughtUp) {  // once the link knows
        ASSERT_TRUE(QTest::qWaitFor(caughtUp, 5000));
        app->Indicator().RunSamplingTick();
        app->WatcherTick();
    };
    ticks([&] { return nm.IsLinkConnected(); });
    const uint64_t firstCall = nm.GetLinkStats().connection;
    mock.Deactivate(modem, first);
    const QString second = mock.Activate(modem, profile, "1");
    ticks([&] { return nm.IsLinkConnected() && nm.GetLinkStats().connection != firstCall; });
    mock.Deactivate(modem, second);
    ticks([&] { return !nm.IsLinkConnected(); });
    HistoryStore history(programFolder.File(kHistoryFile));
    ASSERT_TRUE(history.Open());
    const QList<ConnectionRecord> rows =
        history.Connections(clock.Now().addDays(-1), clock.Now().addDays(1));
    ASSERT_EQ(rows.size(), 2);
    for (const ConnectionRecord& row : rows)
        EXPECT_TRUE(!row.Open() && row.booked && row.figures.usage.received == 1048576 &&
                    row.figures.usage.cost == 2);
}

TEST_F(Watcher, closedIndicatorIsLoadedAgainHiddenWhileTheLinkIsUp) {
    WriteSettings("hide_start=1\r\n");
    Run();
    Item("mnuClose").trigger();
    link->connected = true;
    app->WatcherTick();
    EXPECT_TRUE(app->IndicatorLoaded());
    EXPECT_FALSE(app->Indicator().isVisible());
}

using ScriptTimer = ApplicationFixture;

TEST_F(ScriptTimer, readsTheScriptAfreshAtEveryTick) {
    WriteSettings("hide_start=1\r\n");
    programFolder.Write(QStringLiteral("script.vsc"), "message('one')\r\n");
    Run();
    EXPECT_EQ(Message(), QStringLiteral("one"));
    programFolder.Write(QStringLiteral("script.vsc"), "message('two')\r\n");
    QCoreApplication::processEvents();  // the file's notice, as between two ticks
    app->ScriptTick();
    EXPECT_EQ(Message(), QStringLiteral("two"));
}

TEST_F(ScriptTimer, intervalSetByAScriptLastsUntilTheIndicatorIsLoadedAgain) {
    WriteSettings("hide_start=1\r\n");
    Run();
    programFolder.Write(QStringLiteral("script.vsc"), "timer_script(1000)\r\n");
    QCoreApplication::processEvents();
    app->ScriptTick();
    const auto interval = [this] {
        return app->Indicator().findChild<QTimer*>(QStringLiteral("Timer2"))->interval();
    };
    EXPECT_EQ(interval(), 1000);
    programFolder.Write(QStringLiteral("script.vsc"), "");
    QCoreApplication::processEvents();
    Item("mnuClose").trigger();
    EXPECT_EQ(interval(), 5000);
}

TEST_F(ScriptTimer, noSecondRunWhileTheErrorBoxOfARunIsOpen) {
    WriteSettings("hide_start=1\r\n");
    Run();
    programFolder.Write(QStringLiteral("script.vsc"), "message('ran')\r\ntimer_refresh(99999)\r\n");
    QTimer::singleShot(0, [this] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Ошибка 380"));
        app->Indicator().SetMessageText(QString());
        app->Indicator().RunScriptTick();  // Timer2 firing while the box waits
        EXPECT_EQ(Message(), QString());
        box->close();
    });
    app->Indicator().RunScriptTick();
    EXPECT_EQ(Message(), QString());
    EXPECT_EQ(app->Indicator().findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 500);
}

// The documented example hangs each call up at six seconds online. The counters keep
// saying 6 while the next call dials: that call is left to connect.
TEST_F(ScriptTimer, disconnHangsUpOnlyTheConnectionWhoseFiguresTheScriptSaw) {
    programFolder.Write(QStringLiteral("script.vsc"), "if (TC >= 6) then disconn()\r\n");
    auto scenario = std::make_unique<ScenarioLink>(
        *ScenarioScript::Parse(QStringLiteral("0 connected 0 0 0 First\n10000 down\n"
                                              "12000 dialing 0 0 0 Second\n"
                                              "14000 connected 0 0 0 Second\n"),
                               nullptr),
        steady);
    LinkSource& calls = *scenario;
    Run(TrayHost{true, true}, QDBusConnection(QString()), std::move(scenario));
    int64_t now = 0;
    for (const int64_t at : {6000, 12500, 14500}) {  // hung up, dialling, connected
        steady.Step(at - std::exchange(now, at));
        app->Indicator().RunSamplingTick();
        app->ScriptTick();
        EXPECT_EQ(calls.IsLinkConnected(), at == 14500) << at << " ms";
    }
}

#include "ApplicationTest.moc"
