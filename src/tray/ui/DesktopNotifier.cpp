// SPDX-License-Identifier: GPL-3.0-or-later
// Desktop notifications over the session bus, the tray balloon where there is no server.
#include "tray/ui/DesktopNotifier.h"

#include "tray/ui/TrayIcon.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
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
    // A new server numbers its notifications afresh: the old numbers mean nothing now.
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { offered_.clear(); });
    bus_.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
                 SLOT(OnActionInvoked(uint, QString)));
    bus_.connect(kService, kPath, kService, QStringLiteral("NotificationClosed"), this,
                 SLOT(OnClosed(uint, uint)));
}

void DesktopNotifier::Notify(const QString& title, const QString& text, Outcome outcome,
                             QList<NotificationAction> actions) {
    // A call on a bus that is not there never finishes: say it at once the other way.
    if (!bus_.isConnected()) {
        const bool shown = Balloon(title, text);
        if (outcome) outcome(shown);
        return;
    }
    if (actions.isEmpty()) return Send(title, text, outcome, {});
    // The server may have changed since the last notification: asked every time.
    const QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kService,
                                                            QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, title, text, outcome, actions](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<QStringList> capabilities = *finished;
                const bool buttons = !capabilities.isError() &&
                                     capabilities.value().contains(QStringLiteral("actions"));
                Send(title, text, outcome, buttons ? actions : QList<NotificationAction>());
            });
}

void DesktopNotifier::Send(const QString& title, const QString& text, const Outcome& outcome,
                           const QList<NotificationAction>& actions) {
    QStringList keysAndLabels;
    for (const NotificationAction& action : actions) keysAndLabels << action.key << action.label;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << QStringLiteral("Vantoril") << uint(0) << QStringLiteral("vantoril") << title << text
         << keysAndLabels << QVariantMap() << int(-1);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, title, text, outcome, actions](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> id = *finished;
                if (!id.isError() && !actions.isEmpty()) offered_.insert(id.value(), actions);
                const bool shown = !id.isError() || Balloon(title, text);
                if (outcome) outcome(shown);
            });
}

void DesktopNotifier::OnActionInvoked(uint id, const QString& key) {
    // Copied: the action may notify again, or the server close this one, meanwhile.
    const QList<NotificationAction> actions = offered_.value(id);
    for (const NotificationAction& action : actions)
        if (action.key == key && action.run) action.run();
}

void DesktopNotifier::OnClosed(uint id, uint reason) {
    Q_UNUSED(reason);
    offered_.remove(id);
}

bool DesktopNotifier::Balloon(const QString& title, const QString& text) {
    tray_.ShowBalloonToolTip(kBalloonSeconds, text, title, kBalloonInformation);
    Q_EMIT fellBackToBalloon(text);
    return balloonReaches_ && tray_.IconShown();
}
