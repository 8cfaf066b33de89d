// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing both tariff files whole, as the tariff editor does.
#include "TempFolder.h"
#include "core/ProgramFolder.h"
#include "tariff/TariffTables.h"

#include <QDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct TariffTablesTest : ::testing::Test {
    TempFolder temp;
    ProgramFolder folder{temp.Path()};

    TariffTables Read() {
        TariffTables tables;
        QString error;
        EXPECT_TRUE(ReadTariffTables(folder, &tables, &error)) << error.toStdString();
        return tables;
    }
};

TEST_F(TariffTablesTest, missingFilesReadAsZerosAndAreCreatedEmpty) {
    const TariffTables tables = Read();
    for (int16_t tariffClass : tables.hourClasses) EXPECT_EQ(tariffClass, 0);
    for (float price : tables.prices) EXPECT_EQ(price, 0.0f);
    EXPECT_TRUE(temp.Exists("tar.dat"));
    EXPECT_TRUE(temp.Exists("tar.money.dat"));
    EXPECT_TRUE(temp.Read("tar.dat").isEmpty());
    EXPECT_TRUE(temp.Read("tar.money.dat").isEmpty());
}

TEST_F(TariffTablesTest, shortFilesReadTheirRecordsAndZerosBeyond) {
    QByteArray hours(4, '\0');
    qToLittleEndian<int16_t>(3, hours.data() + 2);
    hours.append('\x07');  // half a record: not a class
    temp.Write("tar.dat", hours);
    QByteArray prices(4, '\0');
    qToLittleEndian<float>(2.5f, prices.data());
    temp.Write("tar.money.dat", prices);

    const TariffTables tables = Read();
    EXPECT_EQ(tables.hourClasses[1], 3);
    EXPECT_EQ(tables.hourClasses[2], 0);
    EXPECT_EQ(tables.prices[0], 2.5f);
    EXPECT_EQ(tables.prices[1], 0.0f);
}

TEST_F(TariffTablesTest, valuesOutsideTheClassesAreReadAsStored) {
    QByteArray hours(48, '\0');
    qToLittleEndian<int16_t>(-5, hours.data() + 18);
    temp.Write("tar.dat", hours);
    EXPECT_EQ(Read().hourClasses[9], -5);
}

TEST_F(TariffTablesTest, unreadableFileIsReportedAndTheOtherStillRead) {
    QDir(temp.Path()).mkdir("tar.dat");  // a folder where the file should be
    QByteArray prices(16, '\0');
    qToLittleEndian<float>(4.0f, prices.data() + 12);
    temp.Write("tar.money.dat", prices);

    TariffTables tables;
    QString error;
    EXPECT_FALSE(ReadTariffTables(folder, &tables, &error));
    EXPECT_TRUE(error.contains("tar.dat")) << error.toStdString();
    EXPECT_EQ(tables.hourClasses[0], 0);
    EXPECT_EQ(tables.prices[3], 4.0f);
}

TEST_F(TariffTablesTest, writeIntoMissingFilesGivesFullLittleEndianRecords) {
    TariffTables tables;
    tables.hourClasses[13] = 2;
    tables.prices[1] = 1.5f;
    QString error;
    ASSERT_TRUE(WriteTariffTables(folder, tables, &error)) << error.toStdString();

    const QByteArray hours = temp.Read("tar.dat");
    ASSERT_EQ(hours.size(), 48);
    EXPECT_EQ(hours.mid(26, 2), QByteArray::fromHex("0200"));
    EXPECT_EQ(hours.count('\0'), 47);
    const QByteArray prices = temp.Read("tar.money.dat");
    ASSERT_EQ(prices.size(), 16);
    EXPECT_EQ(prices.mid(4, 4), QByteArray::fromHex("0000c03f"));
    EXPECT_EQ(prices.count('\0'), 14);
}

TEST_F(TariffTablesTest, writeKeepsBytesAfterTheLastRecord) {
    temp.Write("tar.dat", QByteArray(48, '\x01') + "tail");
    temp.Write("tar.money.dat", QByteArray(16, '\x01') + "more");
    QString error;
    ASSERT_TRUE(WriteTariffTables(folder, TariffTables{}, &error)) << error.toStdString();
    EXPECT_EQ(temp.Read("tar.dat"), QByteArray(48, '\0') + "tail");
    EXPECT_EQ(temp.Read("tar.money.dat"), QByteArray(16, '\0') + "more");
}

TEST_F(TariffTablesTest, writeThenReadGivesTheSameTables) {
    TariffTables written;
    for (int h = 0; h < 24; ++h) written.hourClasses[h] = int16_t(h % 4);
    written.prices = {0.1f, 1.5f, 1234567.0f, 3.0e38f};
    ASSERT_TRUE(WriteTariffTables(folder, written, nullptr));
    const TariffTables read = Read();
    EXPECT_EQ(read.hourClasses, written.hourClasses);
    EXPECT_EQ(read.prices, written.prices);
}

TEST_F(TariffTablesTest, failedSecondFileLeavesTheFirstAsItWas) {
    const QByteArray oldHours = QByteArray(48, '\x02') + "x";
    temp.Write("tar.dat", oldHours);
    QDir(temp.Path()).mkdir("tar.money.dat");  // cannot be read nor replaced

    QString error;
    EXPECT_FALSE(WriteTariffTables(folder, TariffTables{}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(temp.Read("tar.dat"), oldHours);
}

TEST_F(TariffTablesTest, failedReplacementOfSecondFileRestoresTheFirst) {
    const QByteArray oldHours = QByteArray(48, '\x03') + "y";
    temp.Write("tar.dat", oldHours);
    // A file that reads but cannot be replaced, even by root: a link into /proc.
    ASSERT_TRUE(QFile::link("/proc/version", temp.File("tar.money.dat")));

    QString error;
    EXPECT_FALSE(WriteTariffTables(folder, TariffTables{}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(temp.Read("tar.dat"), oldHours);
}

}  // namespace
