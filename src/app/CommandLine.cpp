// SPDX-License-Identifier: GPL-3.0-or-later
// The command line and the platform preference.
#include "app/CommandLine.h"

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    if (arguments.isEmpty()) return line;
    const QString& option = arguments.first();
    if (arguments.size() > 1) {
        line.mode = CommandLine::Mode::Invalid;
        line.error = QStringLiteral("too many arguments: ") + arguments.join(QLatin1Char(' '));
    } else if (option == QLatin1String("--demo")) {
        line.mode = CommandLine::Mode::Demo;
    } else if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
        line.mode = CommandLine::Mode::Help;
    } else if (option == QLatin1String("--version")) {
        line.mode = CommandLine::Mode::Version;
    } else {
        line.mode = CommandLine::Mode::Invalid;
        line.error = QStringLiteral("unknown option: ") + option;
    }
    return line;
}

QString HelpText() {
    return QStringLiteral(
        "Usage: vantoril [--demo | --help | --version]\n"
        "  --demo     run on a made-up connection in a temporary folder\n"
        "  --help     show this text\n"
        "  --version  show the version\n");
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
