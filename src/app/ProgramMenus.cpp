// SPDX-License-Identifier: GPL-3.0-or-later
// The tray menu and the indicator menu, items in their order.
#include "app/ProgramMenus.h"

#include <QCoreApplication>
#include <QMenu>

namespace {
// A menu text of the program, ready for a translation.
QString Text(const char* text) {
    return QCoreApplication::translate("ProgramMenus", text);
}

QMenu* AddMenu(QWidget* owner, const char* name, const QString& title) {
    auto* menu = new QMenu(title, owner);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}
}  // namespace

ProgramMenus::ProgramMenus(QWidget* owner)
    : trayMenu(AddMenu(owner, "mnuSysTray", QStringLiteral("SysTray"))),
      settingsItem(AddItem(trayMenu, "mnuSettings", Text("Настройки"))),
      indicatorItem(AddItem(trayMenu, "mnuIndikator", Text("Индикатор"))),
      statisticsItem(AddItem(trayMenu, "mnuStatistic", Text("Статистика"))),
      historyItem(AddItem(trayMenu, "mnuHistory", Text("История и бюджет"))),
      helpItem(AddItem(trayMenu, "mnuHelp", Text("Помощь"))),
      aboutItem(AddItem(trayMenu, "mnuAbout", Text("О программе"))),
      exitItem(AddItem(trayMenu, "mnuExit", Text("Выход"))),
      indicatorMenu(AddMenu(owner, "mnuInd", QStringLiteral("Ind"))),
      stayOnTopItem(AddItem(indicatorMenu, "mnuStayOnTop", Text("Поверх всех окон"))),
      closeItem(AddItem(indicatorMenu, "mnuClose", Text("Закрыть"))) {
    trayHostMenu = AddMenu(owner, "trayHostMenu", QStringLiteral("Vantoril"));
    trayHostMenu->addActions(trayMenu->actions());
    stayOnTopItem->setCheckable(true);
}
