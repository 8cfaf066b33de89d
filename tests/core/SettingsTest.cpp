// SPDX-License-Identifier: GPL-3.0-or-later
// The settings record as loaded from and saved to "inet.conf".
#include "TempFolder.h"
#include "core/FileNotices.h"
#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"

#include <gtest/gtest.h>

namespace {

struct SettingsTest : ::testing::Test {
    TempFolder temp;
    ProgramFolder folder{temp.Path()};

    Settings LoadWith(const QByteArray& keys) {
        temp.Write("inet.conf", "[Vantoril]\r\n" + keys);
        return LoadSettings(folder);
    }
};

}  // namespace

TEST_F(SettingsTest, withoutAFileEverySettingIsZero) {
    const Settings s = LoadSettings(folder);
    EXPECT_EQ(s.Type_tar, 0);
    EXPECT_EQ(s.Transparent, 0);
    EXPECT_EQ(s.auto_show, 0);
    EXPECT_EQ(s.hide_start, 0);
    EXPECT_EQ(s.full, 0);
    EXPECT_EQ(s.back_color, 0);
    EXPECT_EQ(s.fore_color, 0);
}

TEST_F(SettingsTest, readsEveryKeyWithoutCase) {
    const Settings s = LoadWith(
        "type_tar=1\r\nTRANSPARENT=200\r\nauto_show=1\r\nhide_start=1\r\nFull=1\r\n"
        "back_color=&HFF\r\nfore_color=-7\r\n");
    EXPECT_EQ(s.Type_tar, 1);
    EXPECT_EQ(s.Transparent, 200);
    EXPECT_EQ(s.auto_show, 1);
    EXPECT_EQ(s.hide_start, 1);
    EXPECT_EQ(s.full, 1);
    EXPECT_EQ(s.back_color, 255);
    EXPECT_EQ(s.fore_color, -7);
}

TEST_F(SettingsTest, opacityOutsideItsRangeBecomesOpaque) {
    EXPECT_EQ(LoadWith("Transparent=300\r\n").Transparent, 255);
    EXPECT_EQ(LoadWith("Transparent=-5\r\n").Transparent, 255);
    EXPECT_EQ(LoadWith("Transparent=99999999999\r\n").Transparent, 255);
    EXPECT_EQ(LoadWith("Transparent=128 percent\r\n").Transparent, 128);
}

TEST_F(SettingsTest, valuesAreRoundedHalvesToEven) {
    EXPECT_EQ(LoadWith("auto_show=1.5\r\n").auto_show, 2);
    EXPECT_EQ(LoadWith("Type_tar=0.5\r\n").Type_tar, 0);
    EXPECT_EQ(LoadWith("full=2.5\r\n").full, 2);
    EXPECT_EQ(LoadWith("full=0.6\r\n").full, 1);
}

TEST_F(SettingsTest, valuesBeyondAFieldsWidthSaturate) {
    const Settings s = LoadWith("Type_tar=1e30\r\nfull=-1e30\r\nback_color=garbage\r\n");
    EXPECT_EQ(s.Type_tar, 2147483647);
    EXPECT_EQ(s.full, -32768);
    EXPECT_EQ(s.back_color, 0);
}

TEST_F(SettingsTest, aFolderInPlaceOfTheFileLoadsDefaults) {
    QDir().mkpath(temp.File("inet.conf"));
    EXPECT_EQ(LoadSettings(folder).Transparent, 0);
}

TEST_F(SettingsTest, saveWritesTheControlsValuesAndTheRecordsFlags) {
    temp.Write("inet.conf", "[Vantoril]\r\ni_left=1500\r\nTransparent=10\r\nmine=x\r\n");
    Settings record;
    record.Type_tar = 1;
    record.Transparent = 10;
    record.auto_show = 1;
    record.full = 1;
    ASSERT_TRUE(SaveSettings(folder, record, -1, 200));
    EXPECT_EQ(temp.Read("inet.conf"),
              "[Vantoril]\r\ni_left=1500\r\nTransparent=200\r\nmine=x\r\nType_tar=-1\r\n"
              "auto_show=1\r\nhide_start=0\r\nfull=1\r\n");
    EXPECT_EQ(record.Transparent, 10);  // the record changes only at the next load
}
TEST_F(SettingsTest, billingKeysHaveTheirDefaultsAndReadLikeTheOthers) {
    const Settings none = LoadSettings(folder);
    EXPECT_EQ(none.cycle_day, 1);
    EXPECT_EQ(none.budget, 0);
    EXPECT_EQ(none.cap_mb, 0);
    EXPECT_EQ(none.alerts, 1);
    const Settings s = LoadWith("Cycle_Day=31\r\nbudget=450.5\r\ncap_mb=20480 MB\r\nalerts=0\r\n");
    EXPECT_EQ(s.cycle_day, 31);
    EXPECT_EQ(s.budget, 450.5);
    EXPECT_EQ(s.cap_mb, 20480);
    EXPECT_EQ(s.alerts, 0);
    EXPECT_EQ(LoadWith("alerts=\r\ncycle_day=\r\n").alerts, 1);  // empty as missing
}

TEST_F(SettingsTest, aSettingsFileThatCannotBeReadLoadsAsZeroIsToldOnceAndIsKept) {
    QStringList told;
    ForgetFileNotices();
    SetFileNoticeHandler([&](const QString& message) { told << message; });
    const QByteArray big =
        "[Vantoril]\r\nTransparent=200\r\n" + QByteArray(kSettingsFileLimit, ';');
    temp.Write("inet.conf", big);
    EXPECT_EQ(LoadSettings(folder).Transparent, 0);
    EXPECT_EQ(LoadSettings(folder).Transparent, 0);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(temp.File("inet.conf"))) << told[0].toStdString();

    QString error;
    EXPECT_FALSE(SaveSettings(folder, Settings{}, 0, 255, &error));
    EXPECT_FALSE(SaveIndicatorPosition(folder, 15, 30, QLocale::c(), &error));
    EXPECT_TRUE(error.contains(temp.File("inet.conf")) &&
                error.contains(QStringLiteral("не изменён")))
        << error.toStdString();
    EXPECT_EQ(temp.Read("inet.conf"), big);
    SetFileNoticeHandler({});
    ForgetFileNotices();
}

TEST_F(SettingsTest, theIndicatorPositionIsSavedInOneReplacementKeepingTheRest) {
    temp.Write("inet.conf", "[Vantoril]\r\nfull=1\r\ni_left=0\r\n");
    ASSERT_TRUE(SaveIndicatorPosition(folder, 1500.5f, -30, QLocale(QLocale::Russian)));
    EXPECT_EQ(temp.Read("inet.conf"), "[Vantoril]\r\nfull=1\r\ni_left=1500,5\r\ni_top=-30\r\n");
    EXPECT_EQ(LoadSettings(folder).i_top, -30);
}

// Our own keys read as a user types them; the described keys keep their described rule.
TEST_F(SettingsTest, ourKeysReadEitherSeparatorYesOrNoAndSaneValues) {
    struct Case {
        const char* line;
        double budget, capMb;
        int16_t alerts;
        int32_t tariffType;
    };
    const Case cases[] = {
        {"budget=2,5\r\ncap_mb=0,75\r\n", 2.5, 0.75, 1, 0},
        {"budget=1e-10\r\ncap_mb=1e308\r\nalerts=No\r\n", 0, kLargestAmount, 0, 0},
        {"budget=-3\r\ncap_mb=1e999\r\nalerts=true\r\n", 0, kLargestAmount, 1, 0},
        {"alerts=FALSE\r\nType_tar=2,5\r\n", 0, 0, 0, 2},
        {"alerts=yes\r\nType_tar=1.5\r\n", 0, 0, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Settings s = LoadWith(c.line);
        EXPECT_EQ(s.budget, c.budget);
        EXPECT_EQ(s.cap_mb, c.capMb);
        EXPECT_EQ(s.alerts, c.alerts);
        EXPECT_EQ(s.Type_tar, c.tariffType);
    }

    QStringList told;
    ForgetFileNotices();
    SetFileNoticeHandler([&](const QString& message) { told << message; });
    EXPECT_EQ(LoadWith("alerts=maybe\r\ncurrency= \xE2\x82\xBD\t\x01\x1B[31m \r\n").alerts, 1);
    const Settings again = LoadSettings(folder);
    ASSERT_EQ(told.size(), 1) << "said once";
    EXPECT_TRUE(told[0].contains(QStringLiteral("alerts=maybe"))) << told[0].toStdString();
    EXPECT_EQ(again.currency, QStringLiteral("₽[31m"));
    SetFileNoticeHandler({});
    ForgetFileNotices();
}

// Caught: a mistyped plan read as part of a number ("300р" as 300) or silently, or said at
// every tick.
TEST_F(SettingsTest, aPlanValueThatIsNotWhollyANumberReadsAsNoneAndIsSaidOnce) {
    EXPECT_EQ(LoadWith("plan_fee=299,9\r\nincluded_mb=10240\r\n").plan_fee, 299.9);
    QStringList told;
    ForgetFileNotices();
    SetFileNoticeHandler([&](const QString& message) { told << message; });
    const Settings s = LoadWith("plan_fee=300р\r\nincluded_mb=-5\r\n");
    (void)LoadSettings(folder);
    EXPECT_EQ(s.plan_fee, 0);
    EXPECT_EQ(s.included_mb, 0);
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told[0].contains(QStringLiteral("plan_fee=300р"))) << told[0].toStdString();
    SetFileNoticeHandler({});
    ForgetFileNotices();
}
