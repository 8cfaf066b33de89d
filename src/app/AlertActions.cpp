// SPDX-License-Identifier: GPL-3.0-or-later
// The buttons of an alert's notification.
#include "app/AlertActions.h"

#include "link/LinkSource.h"

#include <QCoreApplication>

QList<NotificationAction> AlertActions(LinkSource& link, uint64_t connection,
                                       std::function<void()> showHistory) {
    QList<NotificationAction> actions;
    if (connection != 0)
        actions.append({QStringLiteral("vantoril-disconnect"),
                        QCoreApplication::translate("AlertActions", "Отключиться"),
                        [&link, connection] { link.HangUpLink(connection); }});
    actions.append({QStringLiteral("vantoril-history"),
                    QCoreApplication::translate("AlertActions", "История"),
                    std::move(showHistory)});
    return actions;
}
