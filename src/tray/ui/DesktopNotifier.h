// SPDX-License-Identifier: GPL-3.0-or-later
// Non-modal messages for the user: a desktop notification, else the tray's balloon.
#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// A next step a notification offers as a button, where the server shows buttons.
struct NotificationAction {
    QString key;    // the identifier the server reports back, never shown
    QString label;  // the button's text
    std::function<void()> run;
};

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
    // text goes to the tray icon's balloon. The actions are offered only where the server
    // has the "actions" capability (the balloon never has them); the one the user invokes
    // runs while the notification is still known to the server.
    void Notify(const QString& title, const QString& text, Outcome outcome = {},
                QList<NotificationAction> actions = {});

    // The balloon is drawn beside an X11 tray icon. A StatusNotifierItem's balloon is a
    // notification itself and without a tray there is none: then a text no server took
    // is not shown.
    void SetBalloonReachesUser(bool reaches) { balloonReaches_ = reaches; }

Q_SIGNALS:
    void fellBackToBalloon(const QString& text);
    void serviceAppeared();  // a notification service has taken its name on the bus

private Q_SLOTS:
    void OnActionInvoked(uint id, const QString& key);
    void OnClosed(uint id, uint reason);

private:
    void Send(const QString& title, const QString& text, const Outcome& outcome,
              const QList<NotificationAction>& actions);
    bool Balloon(const QString& title, const QString& text);

    TrayIcon& tray_;
    QDBusConnection bus_;
    bool balloonReaches_ = true;
    QHash<uint, QList<NotificationAction>> offered_;  // by notification id, until closed
};
