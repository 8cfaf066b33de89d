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
    : mnuSysTray(AddMenu(owner, "mnuSysTray", QStringLiteral("SysTray"))),
      mnuSettings(AddItem(mnuSysTray, "mnuSettings", Text("Настройки"))),
      mnuIndikator(AddItem(mnuSysTray, "mnuIndikator", Text("Индикатор"))),
      mnuStatistic(AddItem(mnuSysTray, "mnuStatistic", Text("Статистика"))),
      mnuHistory(AddItem(mnuSysTray, "mnuHistory", Text("История и бюджет"))),
      mnuHelp(AddItem(mnuSysTray, "mnuHelp", Text("Помощь"))),
      mnuAbout(AddItem(mnuSysTray, "mnuAbout", Text("О программе"))),
      mnuExit(AddItem(mnuSysTray, "mnuExit", Text("Выход"))),
      mnuInd(AddMenu(owner, "mnuInd", QStringLiteral("Ind"))),
      mnuStayOnTop(AddItem(mnuInd, "mnuStayOnTop", Text("Поверх всех окон"))),
      mnuClose(AddItem(mnuInd, "mnuClose", Text("Закрыть"))) {
    trayHostMenu = AddMenu(owner, "trayHostMenu", QStringLiteral("Vantoril"));
    trayHostMenu->addActions(mnuSysTray->actions());
    mnuStayOnTop->setCheckable(true);
}
