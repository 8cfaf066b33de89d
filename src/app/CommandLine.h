// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line asks for, and the window-system platform the program prefers.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Mode { Run, Demo, Help, Version, Show, Quit, Invalid };
    Mode mode = Mode::Run;
    QString window;  // for Show: "settings", "history" or "statistics"
    QString error;   // for Invalid: what was not understood
};

// `arguments` without the program name. The program takes --demo, --help, --version,
// --show WINDOW and --quit.
CommandLine ParseCommandLine(const QStringList& arguments);

// The org.example.Vantoril method that asks a running program for what Show or Quit
// wants: "ShowSettings", "ShowHistory", "ShowStatistics" or "Quit"; empty for other modes.
QString RunningProgramRequest(const CommandLine& line);

QString HelpText();     // one line per option
QString VersionText();  // "Vantoril 2.1.0.1"

// The Qt platform to ask for before the application object exists, or the empty text
// to leave Qt's choice. On Wayland with XWayland present the X11 platform is preferred:
// Wayland lets no window place itself, stay on top or fade, and the indicator needs all
// three. A platform the user chose (QT_QPA_PLATFORM) is kept.
QByteArray PreferredPlatform(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay,
                             const QByteArray& x11Display);
