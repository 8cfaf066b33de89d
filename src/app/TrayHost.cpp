// Finding out which notification area the desktop offers.
#include "app/TrayHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QSystemTrayIcon>

namespace {
bool StatusNotifierHostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher))
        return false;
    QDBusInterface properties(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return properties.property("IsStatusNotifierHostRegistered").toBool();
}
}  // namespace

TrayHost TrayHost::Detect() {
    TrayHost host;
    host.available = QSystemTrayIcon::isSystemTrayAvailable();
    host.reportsDoubleClicks = host.available && !StatusNotifierHostRegistered();
    return host;
}
