// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics folder as the viewer reads it: connections, months, amounts, clearing.
#include "TempFolder.h"
#include "stats/StatisticsFolder.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes a file undeletable for its lifetime: the immutable flag, which binds root too.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString& path) : fd_(::open(QFile::encodeName(path), O_RDONLY)) {
        locked_ = fd_ >= 0 && SetImmutable(true);
    }
    ~ImmutableFile() {
        if (locked_) SetImmutable(false);
        if (fd_ >= 0) ::close(fd_);
    }
    bool Locked() const { return locked_; }

private:
    bool SetImmutable(bool on) const {
        int flags = 0;
        if (::ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0) return false;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        return ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
    }

    int fd_;
    bool locked_ = false;
};

class StatisticsFolderTest : public ::testing::Test {
protected:
    void WriteStatistics(const QString& fileName, const QByteArray& bytes) const {
        folder.Write(QStringLiteral("connections/") + fileName, bytes);
    }
    QStringList Names() const {
        QStringList names;
        for (const StatisticConnection& c : statistics.Connections()) names << c.name;
        return names;
    }

    TempFolder folder;
    StatisticsFolder statistics{ProgramFolder(folder.Path())};
};

}  // namespace

TEST_F(StatisticsFolderTest, missingFolderGivesNoConnections) {
    EXPECT_TRUE(statistics.Connections().isEmpty());
}

TEST_F(StatisticsFolderTest, connectionsAreTheOrdinaryVlgFilesWithoutTheLastExtension) {
    WriteStatistics(QStringLiteral("MyISP.vlg"), "[Statistic]\r\n02.2008=31,4\r\n");
    WriteStatistics(QStringLiteral("My.ISP.vlg"), "");
    WriteStatistics(QStringLiteral("notes.txt"), "");
    WriteStatistics(QStringLiteral(".hidden.vlg"), "");
    WriteStatistics(QStringLiteral("MyISP.vlg.Xy12Ab"), "");  // left by a crash mid-save
    QDir(folder.File(QStringLiteral("connections"))).mkdir(QStringLiteral("folder.vlg"));

    QStringList names = Names();
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("My.ISP"), QStringLiteral("MyISP")}));
    for (const StatisticConnection& c : statistics.Connections())
        EXPECT_EQ(c.fileName, (c.name + QStringLiteral(".vlg")).toUtf8());
}

TEST_F(StatisticsFolderTest, monthsInRecordedOrderAndAmountsAsStored) {
    WriteStatistics(QStringLiteral("MyISP.vlg"),
                    "[Statistic]\r\n03.2008=15,75\r\n02.2008=31,4\r\n");
    const StatisticMonths months = statistics.Months("MyISP.vlg");
    EXPECT_EQ(months.error, QString());
    EXPECT_EQ(months.dates, (QStringList{QStringLiteral("03.2008"), QStringLiteral("02.2008")}));
    EXPECT_EQ(statistics.Amount("MyISP.vlg", QStringLiteral("03.2008")), QStringLiteral("15,75"));
    EXPECT_EQ(statistics.Amount("MyISP.vlg", QStringLiteral("01.1999")), QString());
}

TEST_F(StatisticsFolderTest, windowsFileInCodePage1251StillReads) {
    WriteStatistics(QStringLiteral("\u0420\u0430\u0431\u043e\u0442\u0430.vlg"),
                    "[Statistic]\r\n03.2008=1\r\n; \xcf\xf0\xe8\xec\xe5\xf0\r\n");
    EXPECT_EQ(Names(), QStringList{QStringLiteral("Работа")});
    EXPECT_EQ(statistics.Months(QStringLiteral("Работа.vlg").toUtf8()).dates,
              QStringList{QStringLiteral("03.2008")});
}

TEST_F(StatisticsFolderTest, fileWithoutMonthsOrVanishedIsAnError) {
    WriteStatistics(QStringLiteral("Empty.vlg"), "[Statistic]\r\n");
    const StatisticMonths empty = statistics.Months("Empty.vlg");
    EXPECT_TRUE(empty.dates.isEmpty());
    EXPECT_TRUE(empty.error.contains(QStringLiteral("Empty.vlg"))) << empty.error.toStdString();

    const StatisticMonths gone = statistics.Months("Gone.vlg");
    EXPECT_TRUE(gone.dates.isEmpty());
    EXPECT_TRUE(gone.error.contains(QStringLiteral("Gone.vlg"))) << gone.error.toStdString();
}

TEST_F(StatisticsFolderTest, clearingDeletesEveryOrdinaryFileAndKeepsFolders) {
    WriteStatistics(QStringLiteral("MyISP.vlg"), "[Statistic]\r\n03.2008=1\r\n");
    WriteStatistics(QStringLiteral("notes.txt"), "x");
    WriteStatistics(QStringLiteral("no-extension"), "x");
    WriteStatistics(QStringLiteral("sub/inner.vlg"), "x");

    EXPECT_EQ(statistics.ClearAll(), QString());
    EXPECT_EQ(QDir(folder.File(QStringLiteral("connections"))).entryList(QDir::Files),
              QStringList());
    EXPECT_TRUE(folder.Exists(QStringLiteral("connections/sub/inner.vlg")));
    EXPECT_TRUE(statistics.Connections().isEmpty());
    EXPECT_EQ(statistics.ClearAll(), QString());  // nothing left, nothing to complain about
}

TEST_F(StatisticsFolderTest, fileThatCannotBeDeletedIsReportedAndTheRestStays) {
    WriteStatistics(QStringLiteral("MyISP.vlg"), "[Statistic]\r\n03.2008=1\r\n");
    const QString path = folder.File(QStringLiteral("connections/MyISP.vlg"));
    const ImmutableFile locked(path);
    if (!locked.Locked()) GTEST_SKIP() << "the file system here cannot make a file undeletable";
    const QString error = statistics.ClearAll();
    EXPECT_TRUE(error.contains(QStringLiteral("MyISP.vlg"))) << error.toStdString();
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(StatisticsFolderTest, fileNamedInWindows1251IsListedReadAndCleared) {
    // "Работа.vlg" as a Windows installation names it.
    const QByteArray cp1251 = "\xd0\xe0\xe1\xee\xf2\xe0.vlg";
    folder.WriteNamedInBytes("connections/" + cp1251, "[Statistic]\r\n03.2008=1,5\r\n");
    WriteStatistics(QStringLiteral("MyISP.vlg"), "[Statistic]\r\n02.2008=2\r\n");

    const QList<StatisticConnection> connections = statistics.Connections();
    ASSERT_EQ(connections.size(), 2);
    const StatisticConnection windows =
        connections[0].name == QStringLiteral("MyISP") ? connections[1] : connections[0];
    EXPECT_EQ(windows.name, QStringLiteral("Работа"));
    EXPECT_EQ(statistics.Months(windows.fileName).dates, QStringList{QStringLiteral("03.2008")});
    EXPECT_EQ(statistics.Amount(windows.fileName, QStringLiteral("03.2008")),
              QStringLiteral("1,5"));

    EXPECT_EQ(statistics.ClearAll(), QString());
    EXPECT_TRUE(statistics.Connections().isEmpty());
}

TEST_F(StatisticsFolderTest, programsOwnMarkedNamesAreShownAsTheUserKnowsThem) {
    WriteStatistics(QStringLiteral("%(без имени).vlg"), "[Statistic]\r\n03.2008=1\r\n");
    WriteStatistics(QStringLiteral("%2Ehidden.vlg"), "[Statistic]\r\n03.2008=1\r\n");
    WriteStatistics(QStringLiteral("Foo.vlg.vlg"), "[Statistic]\r\n03.2008=1\r\n");
    WriteStatistics(QStringLiteral("Длинное имя%~0123456789abcdef.vlg"),
                    "[Statistic]\r\n03.2008=1\r\n");
    QStringList names = Names();
    names.sort();
    QStringList expected{QStringLiteral("(без имени)"), QStringLiteral(".hidden"),
                         QStringLiteral("Foo.vlg"), QStringLiteral("Длинное имя…")};
    expected.sort();
    EXPECT_EQ(names, expected);
}

TEST_F(StatisticsFolderTest, pipeInPlaceOfAFileIsAnErrorNotAFreeze) {
    QDir().mkpath(folder.File(QStringLiteral("connections")));
    const QByteArray pipe = QFile::encodeName(folder.File(QStringLiteral("connections/Late.vlg")));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0644), 0);
    EXPECT_TRUE(statistics.Connections().isEmpty());
    // Listed a moment ago as a file, replaced since.
    EXPECT_TRUE(statistics.Months("Late.vlg").error.contains(QStringLiteral("Late.vlg")));
    EXPECT_EQ(statistics.Amount("Late.vlg", QStringLiteral("03.2008")), QString());
}

TEST_F(StatisticsFolderTest, loneCrLinesAndAStrayByteReadAsEveryMonth) {
    WriteStatistics(QStringLiteral("Old.vlg"),
                    "[Statistic]\r; caf\xE9\r01.2008=1,5\r02.2008=\xD0\xBF\r");
    EXPECT_EQ(statistics.Months("Old.vlg").dates,
              (QStringList{QStringLiteral("01.2008"), QStringLiteral("02.2008")}));
    EXPECT_EQ(statistics.Amount("Old.vlg", QStringLiteral("01.2008")), "1,5");
    EXPECT_EQ(statistics.Amount("Old.vlg", QStringLiteral("02.2008")), QStringLiteral("п"));
}

TEST_F(StatisticsFolderTest, anAbsurdlyLargeFileIsAnErrorNamingIt) {
    WriteStatistics(QStringLiteral("Big.vlg"),
                    "[Statistic]\r\n01.2008=1\r\n" + QByteArray(16 * 1024 * 1024, ';'));
    const StatisticMonths big = statistics.Months("Big.vlg");
    EXPECT_TRUE(big.dates.isEmpty());
    EXPECT_TRUE(big.error.contains(QStringLiteral("Big.vlg"))) << big.error.toStdString();
    EXPECT_EQ(statistics.Amount("Big.vlg", QStringLiteral("01.2008")), QString());
}
