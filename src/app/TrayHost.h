// What the desktop's notification area can do.
#pragma once

class QDBusConnection;

struct TrayHost {
    bool available = false;            // there is a notification area at all
    bool reportsDoubleClicks = false;  // false for StatusNotifierItem hosts (KDE, GNOME)

    // Asks the running desktop; Qt picks StatusNotifierItem over D-Bus when such a host is
    // registered and the X11 system tray otherwise.
    static TrayHost Detect();
};

// A StatusNotifierItem host (the D-Bus notification area) is registered on the bus.
bool StatusNotifierHostRegistered(const QDBusConnection& bus);
