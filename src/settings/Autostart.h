// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the program at login through the desktop's XDG autostart entry "Vantoril.desktop".
#pragma once

#include <QString>

// The entry lives in <config folder>/autostart; its Exec line is the full program path
// alone, quoted as desktop entries require when the path holds blanks or other special
// characters. Every failure is silent to the user: the settings window reads the state
// back at its next activation, so a failed write simply shows as "off".
class Autostart {
public:
    Autostart(QString programPath, QString configFolder);
    // The running program's file and the user's config folder ($XDG_CONFIG_HOME, else
    // ~/.config). Without a config folder (no home) every operation fails.
    static Autostart ForRunningProgram();

    QString EntryPath() const;

    // Writes the entry whole, replacing whatever file of that name was there.
    bool EnableAutostart() const;
    // Removes the entry; a missing entry is no failure.
    bool DisableAutostart() const;
    // True only for an entry that starts exactly this program file (letter case
    // included) and is not switched off (Hidden=true, X-GNOME-Autostart-enabled=false);
    // any other file of that name, an unreadable one included, reads as off.
    bool IsAutostartEnabled() const;

private:
    QString programPath_;
    QString configFolder_;
};
