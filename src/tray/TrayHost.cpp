// SPDX-License-Identifier: GPL-3.0-or-later
// Finding out which notification area the desktop offers.
#include "tray/TrayHost.h"

#include "core/Logging.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

namespace {
constexpr int kAnswerWithinMs = 500;  // a panel that hangs must not hold up the start
}  // namespace

bool StatusNotifierHostRegistered(const QDBusConnection& bus) {
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher)) {
        qCDebug(lcTray) << "no" << watcher << "on the session bus";
        return false;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage answer = bus.call(get, QDBus::Block, kAnswerWithinMs);
    qCDebug(lcTray) << watcher << "answers IsStatusNotifierHostRegistered:" << answer.arguments()
                    << answer.errorName() << answer.errorMessage();
    return answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty() &&
           answer.arguments().first().value<QDBusVariant>().variant().toBool();
}
