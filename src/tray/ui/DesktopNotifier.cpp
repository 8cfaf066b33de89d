// SPDX-License-Identifier: GPL-3.0-or-later
// Desktop notifications over the session bus, the tray balloon where there is no server.
#include "tray/ui/DesktopNotifier.h"

#include "tray/ui/TrayIcon.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace {
constexpr int kBalloonSeconds = 10;
constexpr int kBalloonInformation = 1;
}  // namespace

DesktopNotifier::DesktopNotifier(TrayIcon& tray, QDBusConnection bus, QObject* parent)
    : QObject(parent), tray_(tray), bus_(std::move(bus)) {}

void DesktopNotifier::Notify(const QString& title, const QString& text) {
    // A call on a bus that is not there never finishes: say it at once the other way.
    if (!bus_.isConnected()) {
        Balloon(title, text);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Vantoril") << uint(0) << QStringLiteral("vantoril") << title << text
         << QStringList() << QVariantMap() << int(-1);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, title, text](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (finished->isError()) Balloon(title, text);
            });
}

void DesktopNotifier::Balloon(const QString& title, const QString& text) {
    tray_.ShowBalloonToolTip(kBalloonSeconds, text, title, kBalloonInformation);
    Q_EMIT fellBackToBalloon(text);
}
