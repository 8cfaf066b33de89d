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
      settingsItem(
          AddItem(trayMenu, "mnuSettings", Text(QT_TRANSLATE_NOOP("ProgramMenus", "Настройки")))),
      indicatorItem(
          AddItem(trayMenu, "mnuIndikator", Text(QT_TRANSLATE_NOOP("ProgramMenus", "Индикатор")))),
      statisticsItem(
          AddItem(trayMenu, "mnuStatistic", Text(QT_TRANSLATE_NOOP("ProgramMenus", "Статистика")))),
      historyItem(AddItem(trayMenu, "mnuHistory",
                          Text(QT_TRANSLATE_NOOP("ProgramMenus", "История и бюджет")))),
      helpItem(AddItem(trayMenu, "mnuHelp", Text(QT_TRANSLATE_NOOP("ProgramMenus", "Помощь")))),
      aboutItem(
          AddItem(trayMenu, "mnuAbout", Text(QT_TRANSLATE_NOOP("ProgramMenus", "О программе")))),
      exitItem(AddItem(trayMenu, "mnuExit", Text(QT_TRANSLATE_NOOP("ProgramMenus", "Выход")))),
      indicatorMenu(AddMenu(owner, "mnuInd", QStringLiteral("Ind"))),
      stayOnTopItem(AddItem(indicatorMenu, "mnuStayOnTop",
                            Text(QT_TRANSLATE_NOOP("ProgramMenus", "Поверх всех окон")))),
      closeItem(
          AddItem(indicatorMenu, "mnuClose", Text(QT_TRANSLATE_NOOP("ProgramMenus", "Закрыть")))) {
    trayHostMenu = AddMenu(owner, "trayHostMenu", QStringLiteral("Vantoril"));
    trayHostMenu->addActions(trayMenu->actions());
    stayOnTopItem->setCheckable(true);
}
