// SPDX-License-Identifier: GPL-3.0-or-later
// The two pop-up menus of the program: the tray menu and the indicator's menu.
#pragma once

class QAction;
class QMenu;
class QWidget;

struct ProgramMenus {
    explicit ProgramMenus(QWidget* owner);

    QMenu* trayMenu;
    QAction* settingsItem;
    QAction* indicatorItem;
    QAction* statisticsItem;
    QAction* historyItem;  // "История и бюджет"
    QAction* helpItem;
    QAction* aboutItem;
    QAction* exitItem;
    // The same items for a notification area that shows the menu itself: Qt exports a
    // menu handed to a D-Bus tray icon, and such a menu is not the one popped up here.
    QMenu* trayHostMenu;

    QMenu* indicatorMenu;
    QAction* stayOnTopItem;  // checkable, unchecked at start, never stored
    QAction* closeItem;
};
