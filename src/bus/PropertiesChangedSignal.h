// SPDX-License-Identifier: GPL-3.0-or-later
// org.freedesktop.DBus.Properties.PropertiesChanged, written straight onto the connection.
#pragma once

#include <QDBusConnection>
#include <QVariantMap>

#include <memory>

struct DBusMessage;

// PropertiesChanged(interface, changed, []) of one interface at one path.
//
// Qt's own send marshals the message through its type registry and hands it to its bus
// thread, which wakes to write it: once a second while a panel follows the figures. libdbus,
// whose connection Qt opened and lends, writes the same message at once from the caller's
// thread. What every signal begins with (the header and the interface's name) is built once
// and copied: libdbus rewrites the header for each of those fields and each argument.
class PropertiesChangedSignal {
public:
    PropertiesChangedSignal(const QString& path, const QString& interface);

    // Sends the signal on `bus` from the calling thread. The values are bool, QString,
    // qulonglong, qlonglong or double (b, s, t, x, d); with any other type nothing is sent.
    // True when the signal went out or was queued to go.
    bool Send(const QDBusConnection& bus, const QVariantMap& changed) const;

private:
    std::unique_ptr<DBusMessage, void (*)(DBusMessage*)> head_;
};
