// SPDX-License-Identifier: GPL-3.0-or-later
// The scenario backend on files: states, interpolation, loop, hang-up, malformed lines.
#include "SteppingClock.h"
#include "TempFolder.h"
#include "link/ScenarioLink.h"

#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

ScenarioScript Script(const char* text) {
    QString error;
    std::optional<ScenarioScript> script = ScenarioScript::Parse(QString::fromUtf8(text), &error);
    EXPECT_TRUE(script) << error.toStdString();
    return script ? *script : *ScenarioScript::Parse({}, nullptr);
}

QString ErrorOf(const char* text) {
    QString error;
    EXPECT_FALSE(ScenarioScript::Parse(QString::fromUtf8(text), &error));
    return error;
}

const char kDialUp[] =
    "# a call to the provider\n"
    "0     down\n"
    "1000  dialing   0    0    0      Мой провайдер\n"
    "3000  connected 0    0    33600  Мой провайдер\n"
    "13000 connected 1000 2000 33600  Мой провайдер\n"
    "20000 down\n";

}  // namespace

TEST(ScenarioLink, followsTheStatesOfTheFile) {
    SteppingClock clock;
    ScenarioLink link(Script(kDialUp), clock);
    EXPECT_FALSE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkName(), kNoLinkName);
    clock.Step(1500);
    EXPECT_FALSE(link.IsLinkConnected());  // dialling: there is a name but no connection
    EXPECT_EQ(link.GetLinkName(), QStringLiteral("Мой провайдер"));
    EXPECT_EQ(link.GetLinkStats(), LinkStats());
    clock.Step(1500);
    EXPECT_TRUE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkStats().bitsPerSecond, 33600u);
    clock.Step(17000);
    EXPECT_FALSE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkName(), kNoLinkName);
}

TEST(ScenarioLink, countersGrowLinearlyBetweenConnectedLines) {
    SteppingClock clock;
    ScenarioLink link(Script(kDialUp), clock);
    clock.Step(8000);  // halfway from 3000 to 13000
    LinkStats stats = link.GetLinkStats();
    EXPECT_EQ(stats.bytesReceived, 500u);
    EXPECT_EQ(stats.bytesSent, 1000u);
    EXPECT_EQ(stats.connectedMs, 5000u);  // online since the line at 3000
    clock.Step(5000);
    stats = link.GetLinkStats();
    EXPECT_EQ(stats.bytesReceived, 1000u);
    EXPECT_EQ(stats.connectedMs, 10000u);
    clock.Step(4000);  // the last connected line holds until the link goes down
    stats = link.GetLinkStats();
    EXPECT_EQ(stats.bytesReceived, 1000u);
    EXPECT_EQ(stats.connectedMs, 14000u);
}

TEST(ScenarioLink, countersPastFourGigabytesInterpolateExactly) {
    SteppingClock clock;
    ScenarioLink link(Script("0 connected 0 0 0 big\n"
                             "1000000 connected 20000000000 0 0 big\n"),
                      clock);
    clock.Step(250000);
    EXPECT_EQ(link.GetLinkStats().bytesReceived, 5000000000u);
}

TEST(ScenarioLink, everythingHoldsAfterTheLastLine) {
    SteppingClock clock;
    ScenarioLink link(Script("0 connected 10 20 9600 ISP\n"), clock);
    clock.Step(86400000);
    EXPECT_TRUE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkStats().bytesSent, 20u);
    EXPECT_EQ(link.GetLinkStats().connectedMs, 86400000u);
}

TEST(ScenarioLink, loopRestartsTheFileAsANewConnection) {
    SteppingClock clock;
    ScenarioLink link(Script("0 connected 0 0 0 ISP\n"
                             "1000 connected 100 0 0 ISP\n"
                             "2000 down\n"
                             "3000 loop\n"),
                      clock);
    clock.Step(2500);
    EXPECT_FALSE(link.IsLinkConnected());
    clock.Step(1000);  // 3500 is 500 into the second pass
    EXPECT_TRUE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkStats().bytesReceived, 50u);
    EXPECT_EQ(link.GetLinkStats().connectedMs, 500u);
    clock.Step(30000 - 3500 + 1000);  // many passes later
    EXPECT_EQ(link.GetLinkStats().bytesReceived, 100u);
}

TEST(ScenarioLink, hangUpEndsTheConnectionUntilANewOneStarts) {
    SteppingClock clock;
    ScenarioLink link(Script("0 connected 0 0 0 First\n"
                             "5000 connected 500 0 0 First\n"
                             "6000 connected 0 0 0 Second\n"),
                      clock);
    clock.Step(1000);
    link.HangUpLink(link.GetLinkStats().connection);
    EXPECT_FALSE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkName(), kNoLinkName);
    EXPECT_EQ(link.GetLinkStats(), LinkStats());
    clock.Step(4500);  // a later line of the same connection does not bring it back
    EXPECT_FALSE(link.IsLinkConnected());
    clock.Step(1000);
    EXPECT_TRUE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkName(), QStringLiteral("Second"));
}

TEST(ScenarioLink, hangUpWithoutAConnectionDoesNothing) {
    SteppingClock clock;
    ScenarioLink link(Script("1000 connected 0 0 0 Later\n"), clock);
    link.HangUpLink(link.GetLinkStats().connection);
    clock.Step(1000);
    EXPECT_TRUE(link.IsLinkConnected());
}

TEST(ScenarioLink, anEmptyNameIsTheEmptyText) {
    SteppingClock clock;
    ScenarioLink link(Script("0 connected 0 0 0\n"), clock);
    EXPECT_TRUE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkName(), QString());
}

TEST(ScenarioScript, malformedLinesAreRefusedWithTheirNumber) {
    EXPECT_TRUE(ErrorOf("0 down\n1000 connectd 0 0 0 X\n").startsWith(QStringLiteral("строка 2:")));
    EXPECT_TRUE(ErrorOf("# c\n\n-5 down\n").startsWith(QStringLiteral("строка 3:")));
    EXPECT_TRUE(ErrorOf("0 connected 1.5 0 0 X\n").startsWith(QStringLiteral("строка 1:")));
    EXPECT_TRUE(ErrorOf("0 connected 0 0\n").startsWith(QStringLiteral("строка 1:")));
    EXPECT_TRUE(ErrorOf("500 down\n400 down\n").startsWith(QStringLiteral("строка 2:")));
    EXPECT_TRUE(ErrorOf("0 down\n0 loop\n").startsWith(QStringLiteral("строка 2:")));
    EXPECT_TRUE(ErrorOf("0 down\n10 loop\n20 down\n").startsWith(QStringLiteral("строка 3:")));
    EXPECT_TRUE(ErrorOf("99999999999999999999 down\n").startsWith(QStringLiteral("строка 1:")));
}

TEST(ScenarioLink, loadsFilesWrittenOnWindowsToo) {
    TempFolder temp;
    temp.Write("cp1251.txt", "0 connected 0 0 0 \xcf\xf0\xee\xe2\xe0\xe9\xe4\xe5\xf0\r\n");
    QString error;
    std::optional<ScenarioScript> script = ScenarioLink::LoadFile(temp.File("cp1251.txt"), &error);
    ASSERT_TRUE(script) << error.toStdString();
    SteppingClock clock;
    ScenarioLink link(*script, clock);
    EXPECT_EQ(link.GetLinkName(), QStringLiteral("Провайдер"));
    EXPECT_FALSE(ScenarioLink::LoadFile(temp.File("missing.txt"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.txt")));
}

TEST(ScenarioLink, aPipeNamedAsTheScenarioIsRefusedWithoutBlocking) {
    TempFolder temp;
    ASSERT_EQ(::mkfifo(QFile::encodeName(temp.File("pipe")).constData(), 0600), 0);
    QString error;
    EXPECT_FALSE(ScenarioLink::LoadFile(temp.File("pipe"), &error));
    EXPECT_TRUE(error.contains(temp.File("pipe"))) << error.toStdString();
}
