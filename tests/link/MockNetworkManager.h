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

    // Adds properties to an object of the ModemManager mock, or a method (Python code that
    // sets `ret`) in place of one; and the argument lists of every call of a method so far.
    void AddModemProperties(const QString& path, const QString& interface,
                            const QVariantMap& properties, bool update = false);
    void SetModemMethod(const QString& path, const QString& interface, const QString& method,
                        const QString& in, const QString& out, const QString& code);
    QList<QVariantList> ModemCalls(const QString& path, const QString& method);

    // A profile with the whole of its settings; what a profile's settings are now.
    QString AddProfileSettings(const QMap<QString, QVariantMap>& settings);
    QMap<QString, QVariantMap> ProfileSettings(const QString& profile);
    // The profile's Update answers with the D-Bus error `name` from now on.
    void RefuseUpdate(const QString& profile, const QString& name);

    // Keeps NetworkManager from answering anything for `seconds`; the call returns at once.
    QDBusPendingCall Stall(int seconds);

    // The argument lists of every call of a manager method so far.
    QList<QVariantList> ManagerCalls(const QString& method);

private:
    QList<QVariantList> CallsOf(const QString& service, const QString& path, const QString& method);
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
