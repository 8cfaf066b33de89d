// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the backend from link_source, and the errors the user sees.
#include "SteppingClock.h"
#include "TempFolder.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "link/KernelLink.h"
#include "link/LinkSourceFactory.h"
#include "link/ScenarioLink.h"

#include <gtest/gtest.h>

namespace {

class LinkSourceFactoryTest : public ::testing::Test {
protected:
    LinkSourceFactoryTest() : folder(temp.Path()) {}

    TempFolder temp;
    ProgramFolder folder;
    SteppingClock clock;
};

}  // namespace

TEST_F(LinkSourceFactoryTest, readsTheKeyFromTheSettingsFile) {
    EXPECT_EQ(LoadSettings(folder).link_source, QString());
    temp.Write("inet.conf", "[Vantoril]\r\nlink_source = scenario:demo.txt\r\n");
    EXPECT_EQ(LoadSettings(folder).link_source, QStringLiteral("scenario:demo.txt"));
}

TEST_F(LinkSourceFactoryTest, scenarioPathIsRelativeToTheProgramFolderOrAbsolute) {
    temp.Write("demo/calls.txt", "0 connected 0 0 0 Demo\n");
    LinkSourceChoice relative = CreateLinkSource("scenario:demo/calls.txt", folder, clock);
    EXPECT_EQ(relative.error, QString());
    EXPECT_EQ(relative.source->GetLinkName(), QStringLiteral("Demo"));
    LinkSourceChoice absolute =
        CreateLinkSource(" Scenario : " + temp.File("demo/calls.txt"), folder, clock);
    EXPECT_EQ(absolute.error, QString());
    EXPECT_TRUE(absolute.source->IsLinkConnected());
}

TEST_F(LinkSourceFactoryTest, malformedScenarioIsReportedAndWatchesNothing) {
    temp.Write("bad.txt", "0 down\n1000 connected zero 0 0 X\n");
    LinkSourceChoice choice = CreateLinkSource("scenario:bad.txt", folder, clock);
    EXPECT_TRUE(choice.error.contains(QStringLiteral("строка 2"))) << choice.error.toStdString();
    EXPECT_TRUE(choice.error.contains(QStringLiteral("bad.txt")));
    ASSERT_TRUE(choice.source);
    clock.Step(5000);
    EXPECT_FALSE(choice.source->IsLinkConnected());
    EXPECT_EQ(choice.source->GetLinkName(), kNoLinkName);
}

TEST_F(LinkSourceFactoryTest, missingScenarioAndUnknownKindsAreReported) {
    EXPECT_FALSE(CreateLinkSource("scenario:", folder, clock).error.isEmpty());
    EXPECT_FALSE(CreateLinkSource("scenario:absent.txt", folder, clock).error.isEmpty());
    LinkSourceChoice unknown = CreateLinkSource("modem", folder, clock);
    EXPECT_TRUE(unknown.error.contains(QStringLiteral("modem")));
    ASSERT_TRUE(unknown.source);
    EXPECT_FALSE(unknown.source->IsLinkConnected());
}

TEST_F(LinkSourceFactoryTest, kernelWatchesTheInterfaceNamed) {
    KernelPaths paths;
    paths.sysClassNet = temp.File("sys");
    temp.Write("sys/ppp0/flags", "0x1091\n");
    temp.Write("sys/ppp0/operstate", "unknown\n");
    temp.Write("sys/wg7/flags", "0x1091\n");
    temp.Write("sys/wg7/operstate", "unknown\n");
    LinkSourceChoice any = CreateLinkSource("kernel", folder, clock, paths);
    EXPECT_EQ(any.error, QString());
    EXPECT_EQ(any.source->GetLinkInterface(), QStringLiteral("ppp0"));
    LinkSourceChoice named = CreateLinkSource("kernel:wg7", folder, clock, paths);
    EXPECT_NE(dynamic_cast<KernelLink*>(named.source.get()), nullptr);
    EXPECT_EQ(named.source->GetLinkInterface(), QStringLiteral("wg7"));
}

// A hand edit that chooses the same source again must not hand the connection over.
TEST(SameLinkSource, emptyIsAutoAndCaseAndSpacesOfTheKindDoNotCount) {
    EXPECT_TRUE(SameLinkSource(QString(), QStringLiteral(" auto")));
    EXPECT_TRUE(SameLinkSource(QStringLiteral("Kernel: ppp0"), QStringLiteral("kernel:ppp0")));
    EXPECT_FALSE(SameLinkSource(QStringLiteral("kernel:ppp0"), QStringLiteral("kernel:ppp1")));
    EXPECT_FALSE(SameLinkSource(QStringLiteral("kernel"), QStringLiteral("auto")));
}
