// The two pop-up menus of the program: the tray menu and the indicator's menu.
#pragma once

class QAction;
class QMenu;
class QWidget;

struct ProgramMenus {
    explicit ProgramMenus(QWidget* owner);

    QMenu* mnuSysTray;
    QAction* mnuSettings;
    QAction* mnuIndikator;
    QAction* mnuStatistic;
    QAction* mnuHelp;
    QAction* mnuAbout;
    QAction* mnuExit;

    QMenu* mnuInd;
    QAction* mnuStayOnTop;  // checkable, unchecked at start, never stored
    QAction* mnuClose;
};
