// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its files: a portable folder, or the per-user folder seeded from
// the portable folder's files and the shipped defaults.
#include "ReadOnlyFolder.h"
#include "TempFolder.h"
#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class ProgramFolderTest : public ::testing::Test {
protected:
    ProgramFolderTest() {
        for (const char* name : {"inet.conf", "tar.dat", "tar.money.dat", "script.vsc"})
            install.Write(QStringLiteral("share/vantoril/") + QLatin1String(name), "shipped");
        QDir().mkpath(install.File(QStringLiteral("bin")));
        sources = {install.File(QStringLiteral("bin")),
                   install.File(QStringLiteral("home/Vantoril")),
                   install.File(QStringLiteral("share/vantoril")),
                   ::geteuid(),
                   {}};
    }
    // A portable folder with settings of its own and one connection's statistics.
    void FillPortableFolder() const {
        install.Write(QStringLiteral("bin/inet.conf"), "[Vantoril]\r\nTransparent=100\r\n");
        install.Write(QStringLiteral("bin/connections/Work.vlg"), "[Statistic]\r\n03.2008=7\r\n");
        install.Write(QStringLiteral("bin/history.sqlite"), "history");
        install.Write(QStringLiteral("bin/help.chm"), "help");
    }
    QByteArray UserFile(const QString& name) const {
        return install.Read(QStringLiteral("home/Vantoril/") + name);
    }

    TempFolder install;
    ProgramFolderSources sources;
};

}  // namespace

TEST(ProgramFolder, addsOneSeparatorOnly) {
    EXPECT_EQ(ProgramFolder("/opt/vantoril").AppFilePath("inet.conf"), "/opt/vantoril/inet.conf");
    EXPECT_EQ(ProgramFolder("/").AppFilePath("inet.conf"), "/inet.conf");
    EXPECT_EQ(ProgramFolder("/x").AppFilePath("connections/a.vlg"), "/x/connections/a.vlg");
}

TEST_F(ProgramFolderTest, folderTheUserOwnsAndCanWriteIsPortable) {
    QString notice = QStringLiteral("stale");
    EXPECT_EQ(ProgramFolder::Choose(sources, &notice).Path(), sources.executableFolder);
    EXPECT_EQ(ProgramFolder::ChosenPath(sources), sources.executableFolder);
    EXPECT_EQ(notice, QString());
    EXPECT_FALSE(QFileInfo::exists(sources.userFolder));
}

TEST_F(ProgramFolderTest, systemPrefixAlwaysMeansThePerUserFolderEvenWhenWritable) {
    for (const QString& installed : {QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin"),
                                     QStringLiteral("/opt"), QStringLiteral("/bin")}) {
        ProgramFolderSources real = ProgramFolderSources::OfThisProcess();
        real.executableFolder = installed;
        if (!QFileInfo(installed).isDir()) continue;
        EXPECT_EQ(ProgramFolder::ChosenPath(real), real.userFolder) << installed.toStdString();
    }

    // The installation's own prefix stands in for /usr: nothing is written into bin.
    sources.systemPrefixes = {QFileInfo(install.Path()).canonicalFilePath()};
    QString notice;
    EXPECT_EQ(ProgramFolder::Choose(sources, &notice).Path(), sources.userFolder);
    EXPECT_EQ(notice, QString());
    EXPECT_EQ(UserFile(QStringLiteral("inet.conf")), "shipped");
    EXPECT_EQ(UserFile(QStringLiteral("script.vsc")), "shipped");
    EXPECT_EQ(QDir(sources.executableFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
}

TEST_F(ProgramFolderTest, folderOfAnotherUserIsSaidAndItsFilesCopiedWithoutReplacingOwnOnes) {
    FillPortableFolder();
    install.Write(QStringLiteral("home/Vantoril/tar.dat"), "mine");
    const QString mine = sources.userFolder + QStringLiteral("/tar.dat");
    QFile::setPermissions(mine, QFile::ReadOwner | QFile::WriteOwner);
    sources.userId = QFileInfo(sources.executableFolder).ownerId() + 1;

    QString notice;
    EXPECT_EQ(ProgramFolder::Choose(sources, &notice).Path(), sources.userFolder);
    EXPECT_EQ(ProgramFolder::ChosenPath(sources), sources.userFolder);
    EXPECT_TRUE(notice.contains(QStringLiteral("другому пользователю"))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(sources.userFolder));

    // The portable folder's own files first, the shipped defaults for the rest.
    EXPECT_EQ(UserFile(QStringLiteral("inet.conf")), "[Vantoril]\r\nTransparent=100\r\n");
    EXPECT_EQ(UserFile(QStringLiteral("connections/Work.vlg")), "[Statistic]\r\n03.2008=7\r\n");
    EXPECT_EQ(UserFile(QStringLiteral("tar.money.dat")), "shipped");
    EXPECT_EQ(UserFile(QStringLiteral("history.sqlite")), "history");
    EXPECT_EQ(UserFile(QStringLiteral("help.chm")), "help");
    EXPECT_EQ(UserFile(QStringLiteral("tar.dat")), "mine");
    EXPECT_EQ(QFile::permissions(mine) & (QFile::ReadOther | QFile::ReadGroup), 0);
    EXPECT_TRUE(QFile::permissions(sources.userFolder + QStringLiteral("/inet.conf")) &
                QFile::WriteOwner);

    // A later start with a booking of its own keeps it.
    install.Write(QStringLiteral("home/Vantoril/connections/Work.vlg"),
                  "[Statistic]\r\n03.2008=9\r\n");
    ProgramFolder::Choose(sources, &notice);
    EXPECT_EQ(UserFile(QStringLiteral("connections/Work.vlg")), "[Statistic]\r\n03.2008=9\r\n");
}

TEST_F(ProgramFolderTest, folderWithoutTheProgramsFilesIsLeftWithoutAWord) {
    QFile::remove(install.File(QStringLiteral("share/vantoril/script.vsc")));
    sources.userId = QFileInfo(sources.executableFolder).ownerId() + 1;
    QString notice = QStringLiteral("stale");
    EXPECT_EQ(ProgramFolder::Choose(sources, &notice).Path(), sources.userFolder);
    EXPECT_EQ(notice, QString());
    EXPECT_EQ(UserFile(QStringLiteral("inet.conf")), "shipped");
    EXPECT_FALSE(QFileInfo::exists(sources.userFolder + QStringLiteral("/connections")));
    EXPECT_FALSE(QFileInfo::exists(sources.userFolder + QStringLiteral("/script.vsc")));
}

TEST_F(ProgramFolderTest, readOnlyPortableFolderIsSaidAndItsFilesCopied) {
    FillPortableFolder();
    const ReadOnlyFolder readOnly(sources.executableFolder);
    if (!readOnly.Made()) GTEST_SKIP() << "no way here to make a folder read-only for root";

    QString notice;
    EXPECT_EQ(ProgramFolder::Choose(sources, &notice).Path(), sources.userFolder);
    EXPECT_TRUE(notice.contains(QStringLiteral("нельзя записывать"))) << notice.toStdString();
    EXPECT_TRUE(notice.contains(sources.executableFolder));
    EXPECT_EQ(UserFile(QStringLiteral("inet.conf")), "[Vantoril]\r\nTransparent=100\r\n");
    EXPECT_EQ(UserFile(QStringLiteral("connections/Work.vlg")), "[Statistic]\r\n03.2008=7\r\n");
    EXPECT_EQ(UserFile(QStringLiteral("tar.dat")), "shipped");
}

TEST_F(ProgramFolderTest, perUserFolderThatCannotBeMadeIsSaid) {
    install.Write(QStringLiteral("home/Vantoril"), "a file where the folder should be");
    sources.userFolder = install.File(QStringLiteral("home/Vantoril/data"));
    sources.userId = QFileInfo(sources.executableFolder).ownerId() + 1;
    QString notice;
    EXPECT_EQ(ProgramFolder::Choose(sources, &notice).Path(), sources.userFolder);
    EXPECT_TRUE(notice.contains(sources.userFolder)) << notice.toStdString();
}
