// SPDX-License-Identifier: GPL-3.0-or-later
// A private D-Bus daemon for one test, with named connections to it.
#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

class PrivateBus {
public:
    ~PrivateBus() {
        for (const QString& name : names_) QDBusConnection::disconnectFromBus(name);
        Stop();
    }

    // False, and why, when no daemon can be started here.
    bool Start(QString* why) {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
            *why = QStringLiteral("needs dbus-daemon for a private bus");
            return false;
        }
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (!daemon_.waitForReadyRead(5000)) {
            *why = QStringLiteral("dbus-daemon did not start");
            return false;
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        return true;
    }

    // A connection of its own, as another process would have.
    QDBusConnection Connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }
    QString Address() const { return address_; }

    // The daemon ends, as when the session does: every connection to it is lost.
    void Stop() {
        daemon_.terminate();
        daemon_.waitForFinished();
    }

private:
    QProcess daemon_;
    QString address_;
    QStringList names_;
};
