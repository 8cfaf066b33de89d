// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop's notification area can do.
#pragma once

class QDBusConnection;

struct TrayHost {
    bool available = false;            // there is a notification area at all
    bool reportsDoubleClicks = false;  // false for StatusNotifierItem hosts (KDE, GNOME)

    // StatusNotifierItem hosts, the ones without double clicks, show the icon's menu
    // themselves from the menu the program exports over D-Bus.
    bool ShowsExportedMenu() const { return available && !reportsDoubleClicks; }
    bool operator==(const TrayHost& other) const {
        return available == other.available && reportsDoubleClicks == other.reportsDoubleClicks;
    }
    bool operator!=(const TrayHost& other) const { return !(*this == other); }
};

// A StatusNotifierItem host (the D-Bus notification area) is registered on the bus.
bool StatusNotifierHostRegistered(const QDBusConnection& bus);
