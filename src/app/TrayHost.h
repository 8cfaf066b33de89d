// What the desktop's notification area can do.
#pragma once

struct TrayHost {
    bool available = false;              // there is a notification area at all
    bool reportsDoubleClicks = false;    // false for StatusNotifierItem hosts (KDE, GNOME)

    // Asks the running desktop; Qt picks StatusNotifierItem over D-Bus when such a host is
    // registered and the X11 system tray otherwise.
    static TrayHost Detect();
};
