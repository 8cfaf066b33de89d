// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-or-nothing saves: a write that fails at any byte, a really full disk, permissions
// and links kept, several files saved as one.
#include "FailingDevice.h"
#include "TempFolder.h"
#include "core/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                  QDir::NoDotAndDotDot);
}

}  // namespace

TEST(AtomicFile, aWriteFailingAtAnyByteLeavesTheTargetAndNoTemporary) {
    TempFolder temp;
    const QByteArray old = "[Vantoril]\r\nfull=1\r\nmine=keep\r\n";
    const QByteArray next = "[Vantoril]\r\nfull=0\r\nmine=keep\r\nTransparent=200\r\n";
    temp.Write("inet.conf", old);
    for (qint64 bytes = 0; bytes < next.size(); ++bytes) {
        const ScopedFailingWrites full(bytes);
        QString error;
        EXPECT_FALSE(ReplaceFileAtomically(temp.File("inet.conf"), next, &error)) << bytes;
        EXPECT_TRUE(error.contains(QStringLiteral("на диске нет места"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("Файл не изменён"))) << error.toStdString();
        EXPECT_TRUE(error.contains(temp.File("inet.conf"))) << error.toStdString();
        EXPECT_EQ(temp.Read("inet.conf"), old) << bytes;
        EXPECT_EQ(Entries(temp.Path()), QStringList{"inet.conf"}) << bytes;
    }
    const ScopedFailingWrites roomEnough(next.size());
    EXPECT_TRUE(ReplaceFileAtomically(temp.File("inet.conf"), next));
    EXPECT_EQ(temp.Read("inet.conf"), next);
}

TEST(AtomicFile, permissionsAndSymbolicLinksAreKept) {
    TempFolder temp;
    temp.Write("real/inet.conf", "old");
    ASSERT_EQ(::chmod(QFile::encodeName(temp.File("real/inet.conf")).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(temp.File("real/inet.conf"), temp.File("inet.conf")));
    ASSERT_TRUE(ReplaceFileAtomically(temp.File("inet.conf"), "new"));
    EXPECT_TRUE(QFileInfo(temp.File("inet.conf")).isSymLink());
    EXPECT_EQ(temp.Read("real/inet.conf"), "new");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(temp.File("real/inet.conf")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(AtomicFile, severalFilesAreSavedAllOrNone) {
    TempFolder temp;
    temp.Write("tar.dat", "hours");
    temp.Write("tar.money.dat", "prices");
    const QList<QPair<QString, QByteArray>> files = {{temp.File("tar.dat"), "HOURS!"},
                                                     {temp.File("tar.money.dat"), "PRICES!"}};
    {
        // The first file fits, the second does not: neither changes.
        const ScopedFailingWrites full(6);
        QString error;
        EXPECT_FALSE(ReplaceFilesAtomically(files, &error));
        EXPECT_TRUE(error.contains("tar.money.dat")) << error.toStdString();
    }
    EXPECT_EQ(temp.Read("tar.dat"), "hours");
    EXPECT_EQ(temp.Read("tar.money.dat"), "prices");
    EXPECT_EQ(Entries(temp.Path()).size(), 2);
    ASSERT_TRUE(ReplaceFilesAtomically(files));
    EXPECT_EQ(temp.Read("tar.dat"), "HOURS!");
    EXPECT_EQ(temp.Read("tar.money.dat"), "PRICES!");
}

TEST(AtomicFile, aPipeOrFolderInPlaceOfTheFileIsNeverReplaced) {
    TempFolder temp;
    ASSERT_EQ(::mkfifo(QFile::encodeName(temp.File("pipe")).constData(), 0600), 0);
    QDir().mkpath(temp.File("folder"));
    for (const char* name : {"pipe", "folder"}) {
        QString error;
        EXPECT_FALSE(ReplaceFileAtomically(temp.File(name), "x", &error)) << name;
        EXPECT_TRUE(error.contains(QStringLiteral("не обычный файл"))) << error.toStdString();
    }
    EXPECT_EQ(Entries(temp.Path()), QStringList({"folder", "pipe"}));
}

// A real full file system: a small tmpfs filled up, then a save that needs more room.
TEST(AtomicFile, aReallyFullDiskLeavesTheFileWhole) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    TempFolder temp;
    const QByteArray mountPoint = QFile::encodeName(temp.Path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << strerror(errno);
    const QByteArray old = "[Statistic]\r\n01.2026=12,5\r\n";
    temp.Write("X.vlg", old);
    // Fill the rest of the file system.
    {
        QFile filler(temp.File("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
    }
    QString error;
    const bool saved =
        ReplaceFileAtomically(temp.File("X.vlg"), old + QByteArray(16 * 1024, '1'), &error);
    const QByteArray after = temp.Read("X.vlg");
    const QStringList entries = Entries(temp.Path());
    ::umount(mountPoint.constData());
    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.contains(QStringLiteral("на диске нет места"))) << error.toStdString();
    EXPECT_EQ(after, old);
    EXPECT_EQ(entries, QStringList({"filler", "X.vlg"}));
}
