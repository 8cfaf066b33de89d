// SPDX-License-Identifier: GPL-3.0-or-later
// Booking amounts into statistics files: totals, file layout, refusals that keep the file.
#include "Locales.h"
#include "TempFolder.h"
#include "stats/AddStatistic.h"

#include <gtest/gtest.h>

namespace {

const QString kMonth = QStringLiteral("03.2008");

class AddStatisticTest : public ::testing::Test {
protected:
    QString Book(float amount, const QString& key = kMonth,
                 const QLocale& locale = RussianLocale()) const {
        return AddStatistic(key, amount, folder.File(QStringLiteral("connections/MyISP")), locale);
    }
    QByteArray File() const { return folder.Read(QStringLiteral("connections/MyISP.vlg")); }

    TempFolder folder;
};

}  // namespace

TEST_F(AddStatisticTest, firstBookingCreatesFolderAndFileWithTheMonth) {
    EXPECT_EQ(Book(12.5f), QString());
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=12,5\r\n");
}

TEST_F(AddStatisticTest, twoConnectionsInOneMonthAddUp) {
    EXPECT_EQ(Book(12.5f), QString());
    EXPECT_EQ(Book(3.25f), QString());
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=15,75\r\n");
}

TEST_F(AddStatisticTest, pointLocaleWritesAndReadsAPoint) {
    Book(12.5f, kMonth, PointLocale());
    Book(0.25f, kMonth, PointLocale());
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=12.75\r\n");
}

TEST_F(AddStatisticTest, newMonthsAreAppendedAndOldOnesRewrittenInPlace) {
    folder.Write(QStringLiteral("connections/MyISP.vlg"),
                 "; kept by hand\r\n[Statistic]\r\n02.2008=31,4\r\n\r\n[Other]\r\nx=1\r\n");
    Book(12.5f, QStringLiteral("03.2008"));
    Book(0.6f, QStringLiteral("02.2008"));
    EXPECT_EQ(
        File(),
        "; kept by hand\r\n[Statistic]\r\n02.2008=32\r\n03.2008=12,5\r\n\r\n[Other]\r\nx=1\r\n");
}

TEST_F(AddStatisticTest, zeroCostStillWritesTheMonth) {
    EXPECT_EQ(Book(0.0f), QString());
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=0\r\n");
}

TEST_F(AddStatisticTest, sumIsSinglePrecisionWithSevenDigits) {
    Book(0.1f);
    Book(0.2f);
    EXPECT_EQ(File(), "[Statistic]\r\n03.2008=0,3\r\n");
    // Totals from ten million on are stored in exponent form and must read back.
    Book(9999999.7f, QStringLiteral("04.2008"));
    Book(5000000.0f, QStringLiteral("04.2008"));
    EXPECT_TRUE(File().endsWith("04.2008=1,5E+07\r\n")) << File().constData();
    EXPECT_EQ(Book(5000000.0f, QStringLiteral("04.2008")), QString());
    EXPECT_TRUE(File().endsWith("04.2008=2E+07\r\n")) << File().constData();
}

TEST_F(AddStatisticTest, vlgIsAppendedOnlyWhenTheExactExtensionIsMissing) {
    AddStatistic(kMonth, 1.0f, folder.File(QStringLiteral("connections/A.vlg")), RussianLocale());
    AddStatistic(kMonth, 1.0f, folder.File(QStringLiteral("connections/B.VLG")), RussianLocale());
    EXPECT_TRUE(folder.Exists(QStringLiteral("connections/A.vlg")));
    EXPECT_FALSE(folder.Exists(QStringLiteral("connections/A.vlg.vlg")));
    EXPECT_TRUE(folder.Exists(QStringLiteral("connections/B.VLG.vlg")));
}

TEST_F(AddStatisticTest, storedValueThatIsNotANumberIsRefusedAndKept) {
    // Hand-edited with a point under a comma locale, and plain garbage.
    for (const QByteArray& stored : {QByteArray("12.5"), QByteArray("abc"), QByteArray("1,5x")}) {
        const QByteArray original = "[Statistic]\r\n03.2008=" + stored + "\r\n04.2008=1\r\n";
        folder.Write(QStringLiteral("connections/MyISP.vlg"), original);
        const QString error = Book(3.25f);
        EXPECT_TRUE(error.contains(QString::fromUtf8(stored))) << error.toStdString();
        EXPECT_TRUE(error.contains(kMonth)) << error.toStdString();
        EXPECT_EQ(File(), original);
        // Every later connection of that month meets the same refusal; other months book.
        EXPECT_FALSE(Book(1.0f).isEmpty());
        EXPECT_EQ(Book(1.0f, QStringLiteral("04.2008")), QString());
    }
}

TEST_F(AddStatisticTest, overflowIsRefusedAndTheFileKept) {
    for (const QByteArray& stored : {QByteArray("3,4E+38"), QByteArray("1E+39")}) {
        const QByteArray original = "[Statistic]\r\n03.2008=" + stored + "\r\n";
        folder.Write(QStringLiteral("connections/MyISP.vlg"), original);
        const QString error = Book(3.0e38f);
        EXPECT_TRUE(error.contains(QStringLiteral("слишком велика"))) << error.toStdString();
        EXPECT_EQ(File(), original);
    }
}

TEST_F(AddStatisticTest, failedWriteIsReportedNotSilent) {
    // A plain file where the folder should be: neither the folder nor the file can be made.
    folder.Write(QStringLiteral("connections"), "not a folder");
    EXPECT_FALSE(Book(1.0f).isEmpty());
    EXPECT_EQ(folder.Read(QStringLiteral("connections")), "not a folder");
}

TEST_F(AddStatisticTest, folderInPlaceOfTheFileIsReportedAndLeftAlone) {
    folder.Write(QStringLiteral("connections/MyISP.vlg/inside"), "x");
    EXPECT_FALSE(Book(1.0f).isEmpty());
    EXPECT_EQ(folder.Read(QStringLiteral("connections/MyISP.vlg/inside")), "x");
}
