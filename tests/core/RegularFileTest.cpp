// SPDX-License-Identifier: GPL-3.0-or-later
// The one way the program reads its files: regular files only, bounded, never blocking.
#include "TempFolder.h"
#include "core/FileNotices.h"
#include "core/RegularFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(ReadRegularFile, readsAWholeFileAndTellsMissingFromBroken) {
    TempFolder temp;
    temp.Write("a", "abc");
    const RegularFile read = ReadRegularFile(temp.File("a"), 3);
    EXPECT_TRUE(read.IsRead());
    EXPECT_EQ(read.bytes, "abc");
    const RegularFile missing = ReadRegularFile(temp.File("none"), 3);
    EXPECT_EQ(missing.status, RegularFile::Status::Missing);
    EXPECT_TRUE(missing.MayReplace());
    EXPECT_TRUE(missing.error.isEmpty());
    EXPECT_EQ(ReadRegularFile(temp.File("a/b"), 3).status, RegularFile::Status::Missing);
}

TEST(ReadRegularFile, aFileOverTheLimitIsRefusedNamingIt) {
    TempFolder temp;
    temp.Write("inet.conf", QByteArray(kMiB + 1, 'x'));
    const RegularFile big = ReadRegularFile(temp.File("inet.conf"), kMiB);
    EXPECT_EQ(big.status, RegularFile::Status::TooLarge);
    EXPECT_TRUE(big.bytes.isEmpty());
    EXPECT_FALSE(big.MayReplace());
    EXPECT_EQ(big.error, QStringLiteral("Файл «%1» больше 1 МБ, программа его не читает.")
                             .arg(temp.File("inet.conf")));
    EXPECT_TRUE(ReadRegularFile(temp.File("inet.conf"), kMiB + 1).IsRead());
}

TEST(ReadRegularFile, pipesAndFoldersReadAsMissingWithoutBlocking) {
    TempFolder temp;
    ASSERT_EQ(::mkfifo(QFile::encodeName(temp.File("pipe")).constData(), 0600), 0);
    QDir().mkpath(temp.File("folder"));
    for (const char* name : {"pipe", "folder"}) {
        const RegularFile special = ReadRegularFile(temp.File(name), kMiB);
        EXPECT_EQ(special.status, RegularFile::Status::NotRegular) << name;
        EXPECT_FALSE(special.MayReplace());
        EXPECT_TRUE(special.error.contains(temp.File(name)));
    }
    EXPECT_EQ(ReadRegularFile("/dev/zero", kMiB).status, RegularFile::Status::NotRegular);
}

TEST(FileNotices, eachProblemIsToldOnceAndWaitsForAHandler) {
    ForgetFileNotices();
    EXPECT_TRUE(NoticeFileProblem("early"));
    QStringList told;
    SetFileNoticeHandler([&](const QString& message) { told << message; });
    EXPECT_EQ(told, QStringList{"early"});
    EXPECT_TRUE(NoticeFileProblem("second"));
    EXPECT_FALSE(NoticeFileProblem("second"));
    EXPECT_FALSE(NoticeFileProblem(""));
    EXPECT_EQ(told, QStringList({"early", "second"}));
    SetFileNoticeHandler({});
    ForgetFileNotices();
}
