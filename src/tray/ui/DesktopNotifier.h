// SPDX-License-Identifier: GPL-3.0-or-later
// Non-modal messages for the user: a desktop notification, else the tray's balloon.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

class TrayIcon;

class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    // The tray icon must outlive the notifier.
    explicit DesktopNotifier(TrayIcon& tray, QDBusConnection bus = QDBusConnection::sessionBus(),
                             QObject* parent = nullptr);

    // Whether a text reached the user, told once the notification service has answered.
    using Outcome = std::function<void(bool shown)>;

    // Asks org.freedesktop.Notifications without waiting; when no server answers, the
    // text goes to the tray icon's balloon.
    void Notify(const QString& title, const QString& text, Outcome outcome = {});

    // The balloon is drawn beside an X11 tray icon. A StatusNotifierItem's balloon is a
    // notification itself and without a tray there is none: then a text no server took
    // is not shown.
    void SetBalloonReachesUser(bool reaches) { balloonReaches_ = reaches; }

Q_SIGNALS:
    void fellBackToBalloon(const QString& text);
    void serviceAppeared();  // a notification service has taken its name on the bus

private:
    bool Balloon(const QString& title, const QString& text);

    TrayIcon& tray_;
    QDBusConnection bus_;
    bool balloonReaches_ = true;
};
