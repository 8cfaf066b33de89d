// SPDX-License-Identifier: GPL-3.0-or-later
// The D-Bus names of NetworkManager and ModemManager that the link backend talks to.
#pragma once

#include <QString>

namespace dbusnames {

inline const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
inline const QString kManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
inline const QString kManager = QStringLiteral("org.freedesktop.NetworkManager");
inline const QString kActive = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
inline const QString kDevice = QStringLiteral("org.freedesktop.NetworkManager.Device");
inline const QString kStatistics =
    QStringLiteral("org.freedesktop.NetworkManager.Device.Statistics");
inline const QString kWired = QStringLiteral("org.freedesktop.NetworkManager.Device.Wired");
inline const QString kWireless = QStringLiteral("org.freedesktop.NetworkManager.Device.Wireless");
inline const QString kProfile =
    QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
inline const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
inline const QString kModemService = QStringLiteral("org.freedesktop.ModemManager1");
inline const QString kModem = QStringLiteral("org.freedesktop.ModemManager1.Modem");
inline const QString kBearer = QStringLiteral("org.freedesktop.ModemManager1.Bearer");

}  // namespace dbusnames
