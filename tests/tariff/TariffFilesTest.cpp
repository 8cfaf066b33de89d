// SPDX-License-Identifier: GPL-3.0-or-later
// Rate lookup on real tariff files in a temporary program folder.
#include "FixedClock.h"
#include "TempFolder.h"
#include "core/FileNotices.h"
#include "core/ProgramFolder.h"
#include "tariff/TariffFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>

namespace {

QByteArray HourTable(std::initializer_list<std::pair<int, int16_t>> classes, int hours = 24) {
    QByteArray bytes(2 * hours, '\0');
    for (auto [hour, tariffClass] : classes)
        qToLittleEndian<int16_t>(tariffClass, bytes.data() + 2 * hour);
    return bytes;
}

QByteArray PriceTable(std::initializer_list<float> prices) {
    QByteArray bytes(4 * int(prices.size()), '\0');
    int c = 0;
    for (float price : prices) qToLittleEndian<float>(price, bytes.data() + 4 * c++);
    return bytes;
}

struct TariffFilesTest : ::testing::Test {
    TempFolder temp;
    ProgramFolder folder{temp.Path()};
    FixedClock clock;

    float RateAt(int hour, int minute) {
        clock.Set(QDateTime(QDate(2026, 3, 1), QTime(hour, minute)));
        return CurrentRate(folder, clock);
    }
};

}  // namespace

TEST_F(TariffFilesTest, withoutFilesEveryRateIsZeroAndEmptyFilesAreCreated) {
    for (int16_t hour = 0; hour < 24; ++hour) EXPECT_EQ(GetDataTar(folder, hour), 0);
    EXPECT_EQ(GetMoneyTar(folder, 0), 0.0f);
    EXPECT_EQ(QFileInfo(temp.File("tar.dat")).size(), 0);
    EXPECT_TRUE(temp.Exists("tar.money.dat"));
    EXPECT_EQ(QFileInfo(temp.File("tar.money.dat")).size(), 0);
}

TEST_F(TariffFilesTest, theRateFollowsTheLocalHour) {
    temp.Write("tar.dat", HourTable({{0, 1}, {23, 3}}));
    temp.Write("tar.money.dat", PriceTable({0.5f, 1.5f, 0, 2.5f}));
    EXPECT_EQ(RateAt(23, 30), 2.5f);
    EXPECT_EQ(RateAt(0, 0), 1.5f);
    EXPECT_EQ(RateAt(12, 0), 0.5f);
    EXPECT_EQ(GetDataTar(folder, 23), 3);
}

TEST_F(TariffFilesTest, negativeArgumentsGiveZeroWithoutTouchingFiles) {
    EXPECT_EQ(GetDataTar(folder, -1), 0);
    EXPECT_EQ(GetMoneyTar(folder, -1), 0.0f);
    EXPECT_FALSE(temp.Exists("tar.dat"));
    EXPECT_FALSE(temp.Exists("tar.money.dat"));
}

TEST_F(TariffFilesTest, missingRecordsOfShortFilesReadAsZero) {
    temp.Write("tar.dat", HourTable({{2, 2}}, 3));
    temp.Write("tar.money.dat", PriceTable({1, 2, 3}));
    EXPECT_EQ(GetDataTar(folder, 2), 2);
    EXPECT_EQ(GetDataTar(folder, 3), 0);
    EXPECT_EQ(GetMoneyTar(folder, 2), 3.0f);
    EXPECT_EQ(GetMoneyTar(folder, 3), 0.0f);
    temp.Write("tar.dat", "\x01");  // half a record
    EXPECT_EQ(GetDataTar(folder, 0), 0);
}

TEST_F(TariffFilesTest, bytesBeyondTheRecordsAreNeverRead) {
    QByteArray hours = HourTable({{23, 1}});
    hours += "\x02\x00";  // a 25th record
    temp.Write("tar.dat", hours);
    QByteArray prices = PriceTable({1, 2, 3, 4});
    prices += PriceTable({99});
    temp.Write("tar.money.dat", prices);
    EXPECT_EQ(GetDataTar(folder, 23), 1);
    EXPECT_EQ(GetDataTar(folder, 24), 0);
    EXPECT_EQ(GetMoneyTar(folder, 4), 0.0f);  // a hand-edited class above 3
}

TEST_F(TariffFilesTest, aFileThatCannotBeOpenedCountsAsEmpty) {
    QDir().mkpath(temp.File("tar.dat"));
    EXPECT_EQ(GetDataTar(folder, 5), 0);
    EXPECT_EQ(TariffFilesTest::RateAt(5, 0), 0.0f);
}

TEST_F(TariffFilesTest, aStoredPriceThatCannotBeOneCostsNothingAndIsToldOnce) {
    QStringList told;
    ForgetFileNotices();
    SetFileNoticeHandler([&](const QString& message) { told << message; });
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    temp.Write("tar.money.dat", PriceTable({-1.5f, nan, inf, 3e38f}));
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(GetMoneyTar(folder, 0), 0.0f);
        EXPECT_EQ(GetMoneyTar(folder, 1), 0.0f);
        EXPECT_EQ(GetMoneyTar(folder, 2), 0.0f);
        EXPECT_EQ(GetMoneyTar(folder, 3), 3e38f) << "large, but a price";
    }
    ASSERT_EQ(told.size(), 3) << told.join('\n').toStdString();
    EXPECT_TRUE(told[0].contains(temp.File("tar.money.dat")) && told[0].contains("-1.5"))
        << told[0].toStdString();
    SetFileNoticeHandler({});
    ForgetFileNotices();
}

TEST_F(TariffFilesTest, aPipeOrAHugeFileReadsAsNoTariff) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(temp.File("tar.dat")).constData(), 0600), 0);
    temp.Write("tar.money.dat", PriceTable({2}) + QByteArray(kTariffFileLimit, '\0'));
    EXPECT_EQ(RateAt(12, 0), 0.0f);
    EXPECT_EQ(QFileInfo(temp.File("tar.money.dat")).size(), 4 + kTariffFileLimit);
}
