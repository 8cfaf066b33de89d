// SPDX-License-Identifier: GPL-3.0-or-later
// NetworkManager as python3-dbusmock plays it, on a private bus started for one test.
#pragma once

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QProcess>
#include <QString>
#include <QVariantMap>

#include <memory>

class MockNetworkManager {
public:
    MockNetworkManager();
    ~MockNetworkManager();

    // Empty when the mock runs; otherwise why it could not be started (the test skips).
    const QString& Unavailable() const { return unavailable_; }
    QDBusConnection Bus() const { return bus_; }

    // An Ethernet-like device of the template; returns its object path.
    QString AddDevice(const QString& name, const QString& ipInterface, uint deviceType = 1);
    // A connection profile; `metered` is connection.metered (0 unknown, 1 yes, 2 no).
    QString AddProfile(const QString& id, const QString& type, int metered = 0);
    // An active connection of the profile on the device; returns its object path.
    QString Activate(const QString& device, const QString& profile, const QString& name,
                     uint state = 2);

    // The connection goes down and is gone, as NetworkManager's own hang-up does.
    void Deactivate(const QString& device, const QString& active);

    // Adds properties the template lacks (Statistics, Metered...), or changes them with
    // a PropertiesChanged signal as NetworkManager sends.
    void AddProperties(const QString& path, const QString& interface,
                       const QVariantMap& properties);
    void UpdateProperties(const QString& path, const QString& interface,
                          const QVariantMap& properties);

    // Starts ModemManager's mock on the same bus with one modem and one connected bearer
    // whose Stats carry `stats` (start-date, downlink-speed...); returns the modem's path.
    QString AddModemWithBearer(const QVariantMap& stats);

    // Keeps NetworkManager from answering anything for `seconds`; the call returns at once.
    QDBusPendingCall Stall(int seconds);

    // The argument lists of every call of a manager method so far.
    QList<QVariantList> ManagerCalls(const QString& method);

private:
    QVariantList Call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments, const QString& service = {});
    bool WaitForName(const QString& service);

    QProcess daemon_;
    QProcess mock_;
    QProcess modemManager_;
    QString address_;
    QString unavailable_;
    QString connectionName_;
    QDBusConnection bus_{QString()};
};
