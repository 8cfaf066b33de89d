// SPDX-License-Identifier: GPL-3.0-or-later
// org.freedesktop.DBus.Properties.PropertiesChanged, written straight onto the connection.
#pragma once

#include <QDBusConnection>
#include <QVariantMap>

// Sends PropertiesChanged(interface, changed, []) from `path` on `bus`, from the calling
// thread. The values are bool, QString, qulonglong, qlonglong or double (b, s, t, x, d);
// with any other type nothing is sent. True when the signal went out or was queued to go.
//
// Qt's own send marshals the message through its type registry and hands it to its bus
// thread, which wakes to write it: once a second while a panel follows the figures. libdbus,
// whose connection Qt opened and lends, writes the same message at once from here.
bool SendPropertiesChanged(const QDBusConnection& bus, const QString& path,
                           const QString& interface, const QVariantMap& changed);
