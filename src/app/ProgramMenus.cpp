// The tray menu and the indicator menu, items in their order.
#include "app/ProgramMenus.h"

#include <QMenu>

namespace {
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
      mnuSettings(AddItem(mnuSysTray, "mnuSettings", QStringLiteral("Настройки"))),
      mnuIndikator(AddItem(mnuSysTray, "mnuIndikator", QStringLiteral("Индикатор"))),
      mnuStatistic(AddItem(mnuSysTray, "mnuStatistic", QStringLiteral("Статистика"))),
      mnuHelp(AddItem(mnuSysTray, "mnuHelp", QStringLiteral("Помощь"))),
      mnuAbout(AddItem(mnuSysTray, "mnuAbout", QStringLiteral("О программе"))),
      mnuExit(AddItem(mnuSysTray, "mnuExit", QStringLiteral("Выход"))),
      mnuInd(AddMenu(owner, "mnuInd", QStringLiteral("Ind"))),
      mnuStayOnTop(AddItem(mnuInd, "mnuStayOnTop", QStringLiteral("Поверх всех окон"))),
      mnuClose(AddItem(mnuInd, "mnuClose", QStringLiteral("Закрыть"))) {
    trayHostMenu = AddMenu(owner, "trayHostMenu", QStringLiteral("Vantoril"));
    trayHostMenu->addActions(mnuSysTray->actions());
    mnuStayOnTop->setCheckable(true);
}
