// SPDX-License-Identifier: GPL-3.0-or-later
// The command line and the platform preference.
#include "app/CommandLine.h"

namespace {
const QStringList kWindows = {QStringLiteral("settings"), QStringLiteral("history"),
                              QStringLiteral("statistics")};
}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    if (arguments.isEmpty()) return line;
    const QString& option = arguments.first();
    if (option == QLatin1String("--show")) {
        if (arguments.size() == 2 && kWindows.contains(arguments.at(1))) {
            line.mode = CommandLine::Mode::Show;
            line.window = arguments.at(1);
        } else {
            line.mode = CommandLine::Mode::Invalid;
            line.error = QStringLiteral("--show takes one of: ") + kWindows.join(QLatin1Char(' '));
        }
    } else if (arguments.size() > 1) {
        line.mode = CommandLine::Mode::Invalid;
        line.error = QStringLiteral("too many arguments: ") + arguments.join(QLatin1Char(' '));
    } else if (option == QLatin1String("--demo")) {
        line.mode = CommandLine::Mode::Demo;
    } else if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
        line.mode = CommandLine::Mode::Help;
    } else if (option == QLatin1String("--version")) {
        line.mode = CommandLine::Mode::Version;
    } else if (option == QLatin1String("--quit")) {
        line.mode = CommandLine::Mode::Quit;
    } else {
        line.mode = CommandLine::Mode::Invalid;
        line.error = QStringLiteral("unknown option: ") + option;
    }
    return line;
}

QString RunningProgramRequest(const CommandLine& line) {
    if (line.mode == CommandLine::Mode::Quit) return QStringLiteral("Quit");
    if (line.mode != CommandLine::Mode::Show || line.window.isEmpty()) return {};
    return QStringLiteral("Show") + line.window.at(0).toUpper() + line.window.mid(1);
}

QString HelpText() {
    return QStringLiteral(
        "Usage: vantoril [--demo | --show WINDOW | --quit | --help | --version]\n"
        "  --demo         run on a made-up connection in a temporary folder\n"
        "  --show WINDOW  open settings, history or statistics in the running program,\n"
        "                 starting it when none runs\n"
        "  --quit         end the running program, if any\n"
        "  --help         show this text\n"
        "  --version      show the version\n");
}

QString VersionText() {
    return QStringLiteral("Vantoril 2.1.0.1\n");
}

QByteArray PreferredPlatform(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay,
                             const QByteArray& x11Display) {
    if (!qpaPlatform.isEmpty()) return {};
    if (!waylandDisplay.isEmpty() && !x11Display.isEmpty()) return QByteArrayLiteral("xcb");
    return {};
}
