// SPDX-License-Identifier: GPL-3.0-or-later
// Desktop notifications over the session bus, the tray balloon where there is no server.
#include "tray/ui/DesktopNotifier.h"

#include "tray/ui/TrayIcon.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
constexpr int kBalloonSeconds = 10;
constexpr int kBalloonInformation = 1;
}  // namespace

DesktopNotifier::DesktopNotifier(TrayIcon& tray, QDBusConnection bus, QObject* parent)
    : QObject(parent), tray_(tray), bus_(std::move(bus)) {
    if (!bus_.isConnected()) return;
    auto* watcher =
        new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this,
            &DesktopNotifier::serviceAppeared);
}

void DesktopNotifier::Notify(const QString& title, const QString& text, Outcome outcome) {
    // A call on a bus that is not there never finishes: say it at once the other way.
    if (!bus_.isConnected()) {
        const bool shown = Balloon(title, text);
        if (outcome) outcome(shown);
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/Notifications"),
                                       kService, QStringLiteral("Notify"));
    call << QStringLiteral("Vantoril") << uint(0) << QStringLiteral("vantoril") << title << text
         << QStringList() << QVariantMap() << int(-1);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, title, text, outcome](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const bool shown = !finished->isError() || Balloon(title, text);
                if (outcome) outcome(shown);
            });
}

bool DesktopNotifier::Balloon(const QString& title, const QString& text) {
    tray_.ShowBalloonToolTip(kBalloonSeconds, text, title, kBalloonInformation);
    Q_EMIT fellBackToBalloon(text);
    return balloonReaches_ && tray_.IconShown();
}
