// SPDX-License-Identifier: GPL-3.0-or-later
// Non-modal messages for the user: a desktop notification, else the tray's balloon.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class TrayIcon;

class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    // The tray icon must outlive the notifier.
    explicit DesktopNotifier(TrayIcon& tray, QDBusConnection bus = QDBusConnection::sessionBus(),
                             QObject* parent = nullptr);

    // Asks org.freedesktop.Notifications without waiting; when no server answers, the
    // text goes to the tray icon's balloon.
    void Notify(const QString& title, const QString& text);

Q_SIGNALS:
    void fellBackToBalloon(const QString& text);

private:
    void Balloon(const QString& title, const QString& text);

    TrayIcon& tray_;
    QDBusConnection bus_;
};
