// SPDX-License-Identifier: GPL-3.0-or-later
// The command line and the choice of the window-system platform.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

TEST(CommandLine, noArgumentRunsAndEachOptionIsKnown) {
    EXPECT_EQ(ParseCommandLine({}).mode, CommandLine::Mode::Run);
    EXPECT_EQ(ParseCommandLine({QStringLiteral("--demo")}).mode, CommandLine::Mode::Demo);
    EXPECT_EQ(ParseCommandLine({QStringLiteral("--help")}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(ParseCommandLine({QStringLiteral("-h")}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(ParseCommandLine({QStringLiteral("--version")}).mode, CommandLine::Mode::Version);
    EXPECT_EQ(VersionText(), QStringLiteral("Vantoril 2.1.0.1\n"));
}

TEST(CommandLine, anythingElseIsRefusedWithTheReason) {
    const CommandLine unknown = ParseCommandLine({QStringLiteral("--fast")});
    EXPECT_EQ(unknown.mode, CommandLine::Mode::Invalid);
    EXPECT_EQ(unknown.error, QStringLiteral("unknown option: --fast"));
    const CommandLine two = ParseCommandLine({QStringLiteral("--demo"), QStringLiteral("--help")});
    EXPECT_EQ(two.mode, CommandLine::Mode::Invalid);
    EXPECT_TRUE(two.error.contains(QStringLiteral("--demo --help")));
}

TEST(CommandLine, showNamesOneOfTheThreeWindowsAndQuitStandsAlone) {
    const CommandLine show =
        ParseCommandLine({QStringLiteral("--show"), QStringLiteral("history")});
    EXPECT_EQ(show.mode, CommandLine::Mode::Show);
    EXPECT_EQ(show.window, QStringLiteral("history"));
    EXPECT_EQ(RunningProgramRequest(show), QStringLiteral("ShowHistory"));
    const CommandLine quit = ParseCommandLine({QStringLiteral("--quit")});
    EXPECT_EQ(quit.mode, CommandLine::Mode::Quit);
    EXPECT_EQ(RunningProgramRequest(quit), QStringLiteral("Quit"));
    for (const QStringList& wrong : {QStringList{QStringLiteral("--show")},
                                     {QStringLiteral("--show"), QStringLiteral("tariff")},
                                     {QStringLiteral("--quit"), QStringLiteral("now")}})
        EXPECT_EQ(ParseCommandLine(wrong).mode, CommandLine::Mode::Invalid)
            << qPrintable(wrong.join(' '));
}

TEST(PreferredPlatform, waylandWithXWaylandAsksForX11) {
    EXPECT_EQ(PreferredPlatform({}, "wayland-0", ":0"), QByteArray("xcb"));
}

TEST(PreferredPlatform, waylandAloneOrPlainX11OrTheUsersChoiceStayAsTheyAre) {
    EXPECT_TRUE(PreferredPlatform({}, "wayland-0", {}).isEmpty());
    EXPECT_TRUE(PreferredPlatform({}, {}, ":0").isEmpty());
    EXPECT_TRUE(PreferredPlatform("wayland", "wayland-0", ":0").isEmpty());
}
