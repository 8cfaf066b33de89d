// SPDX-License-Identifier: GPL-3.0-or-later
// When a file counts as changed: identity, size, times, and any change less than 2 s old.
#include "TempFolder.h"
#include "core/FileChangeWatch.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

int64_t ChangeTimeNs(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return 0;
    return int64_t(status.st_ctim.tv_sec) * 1'000'000'000 + status.st_ctim.tv_nsec;
}

// Notices reach the watch through the event loop, as between two ticks of the program.
bool Look(FileChangeWatch& watch) {
    QCoreApplication::processEvents();
    return watch.Changed();
}

// Inotify queues this process holds open.
int InotifyQueues() {
    int queues = 0;
    for (const QFileInfo& entry : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System))
        queues += entry.symLinkTarget().endsWith(QLatin1String("anon_inode:inotify"));
    return queues;
}

}  // namespace

class EveryLook : public ::testing::TestWithParam<FileChangeWatch::Looks> {};

TEST_P(EveryLook, everyKindOfChangeCountsOnceWhenItIsOld) {
    TempFolder temp;
    const QString path = temp.File("inet.conf");
    int64_t now = 0;
    FileChangeWatch watch(
        path, [&] { return now; }, GetParam());
    if (GetParam() == FileChangeWatch::Looks::NoticesWhereGiven && !watch.FollowsNotices())
        GTEST_SKIP() << "no inotify notices for a folder of this file system";
    // Every change below is an hour old by this clock.
    const auto later = [&] { now = ChangeTimeNs(path) + 3'600'000'000'000; };

    EXPECT_TRUE(Look(watch)) << "the first look";
    EXPECT_FALSE(Look(watch)) << "still missing";
    temp.Write("inet.conf", "[Vantoril]\r\nfull=1\r\n");
    later();
    EXPECT_TRUE(Look(watch)) << "created";
    EXPECT_FALSE(Look(watch));
    temp.Write("inet.conf", "[Vantoril]\r\nfull=11\r\n");
    later();
    EXPECT_TRUE(Look(watch)) << "another size";
    EXPECT_FALSE(Look(watch));

    // The same bytes put in place by a rename, as an atomic save does: a new inode.
    temp.Write("new.conf", "[Vantoril]\r\nfull=22\r\n");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(temp.File("new.conf"), path));
    later();
    EXPECT_TRUE(Look(watch)) << "replaced";
    EXPECT_FALSE(Look(watch));

    // Same size, same inode: only the times tell, once the kernel's coarse clock has moved.
    QThread::msleep(20);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write("[Vantoril]\r\nfull=33\r\n"), 21);
    file.close();
    later();
    EXPECT_TRUE(Look(watch)) << "rewritten in place";
    EXPECT_FALSE(Look(watch));

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(Look(watch)) << "removed";
    EXPECT_FALSE(Look(watch));
}

INSTANTIATE_TEST_SUITE_P(FileChangeWatch, EveryLook,
                         ::testing::Values(FileChangeWatch::Looks::StatOnly,
                                           FileChangeWatch::Looks::NoticesWhereGiven),
                         [](const auto& info) {
                             return info.param == FileChangeWatch::Looks::StatOnly ? "stat"
                                                                                   : "notices";
                         });

TEST(FileChangeWatch, withStatAChangeLessThanTwoSecondsOldIsReadEveryTime) {
    TempFolder temp;
    temp.Write("tar.dat", QByteArray(48, '\0'));
    const int64_t changed = ChangeTimeNs(temp.File("tar.dat"));
    int64_t now = changed + 1'900'000'000;
    FileChangeWatch watch(
        temp.File("tar.dat"), [&] { return now; }, FileChangeWatch::Looks::StatOnly);
    EXPECT_TRUE(Look(watch));
    EXPECT_TRUE(Look(watch)) << "a second write in the same time stamp would go unseen";
    now = changed - 5'000'000'000;  // the clock set back: the change looks ahead of it
    EXPECT_TRUE(Look(watch));
    now = changed + 2'000'000'000;
    EXPECT_FALSE(Look(watch));
}

TEST(FileChangeWatch, noticesTellEveryWriteAndGiveWayToStatForALinkOrAFolderGone) {
    TempFolder temp;
    temp.Write("tar.dat", QByteArray(48, '\0'));
    // Every change is an hour old to the stat looks.
    FileChangeWatch watch(temp.File("tar.dat"), [] {
        return (QDateTime::currentMSecsSinceEpoch() + 3'600'000) * 1'000'000;
    });
    if (!watch.FollowsNotices())
        GTEST_SKIP() << "no inotify notices for a folder of this file system";
    EXPECT_TRUE(Look(watch)) << "the first look";
    EXPECT_FALSE(Look(watch));
    // Two writes of the same size in the same moment: each one is told, with no clock.
    for (const char fill : {'\1', '\2'}) {
        temp.Write("tar.dat", QByteArray(48, fill));
        EXPECT_TRUE(Look(watch));
        EXPECT_FALSE(Look(watch));
    }
    temp.Write("other.dat", "x");
    EXPECT_FALSE(Look(watch)) << "another file of the folder";

    // A link's target changes where no notice of this folder tells it: stat it is.
    TempFolder elsewhere;
    elsewhere.Write("target.dat", QByteArray(48, '\3'));
    ASSERT_TRUE(QFile::remove(temp.File("tar.dat")));
    ASSERT_TRUE(QFile::link(elsewhere.File("target.dat"), temp.File("tar.dat")));
    EXPECT_TRUE(Look(watch));
    EXPECT_FALSE(watch.FollowsNotices());
    EXPECT_TRUE(Look(watch)) << "the first look with stat";
    EXPECT_FALSE(Look(watch));
    elsewhere.Write("target.dat", QByteArray(24, '\4'));
    EXPECT_TRUE(Look(watch)) << "the target changed";

    // The folder removed: no notices come any more, and the next look counts.
    TempFolder gone;
    gone.Write("inet.conf", "[Vantoril]\r\n");
    FileChangeWatch inGone(gone.File("inet.conf"));
    ASSERT_TRUE(inGone.FollowsNotices());
    EXPECT_TRUE(Look(inGone));
    ASSERT_TRUE(QDir(gone.Path()).removeRecursively());
    EXPECT_TRUE(Look(inGone));
    EXPECT_FALSE(inGone.FollowsNotices());
}

TEST(FileChangeWatch, namesOfOneFolderShareAQueueAndEachHearsItsOwnChanges) {
    TempFolder temp;
    temp.Write("tar.dat", "1");
    temp.Write("money.dat", "2");
    const int queuesBefore = InotifyQueues();
    FileChangeWatch hours(temp.File("tar.dat"));
    FileChangeWatch prices(temp.File("money.dat"));
    if (!hours.FollowsNotices() || !prices.FollowsNotices())
        GTEST_SKIP() << "no inotify notices for a folder of this file system";
    EXPECT_EQ(InotifyQueues(), queuesBefore + 1);
    EXPECT_TRUE(Look(hours));
    EXPECT_TRUE(Look(prices));

    temp.Write("tar.dat", "3");
    QCoreApplication::processEvents();
    EXPECT_FALSE(prices.Changed()) << "its look read the queue for both";
    EXPECT_TRUE(hours.Changed()) << "and kept the notice for the other name";
    temp.Write("money.dat", "4");
    EXPECT_TRUE(Look(prices));
    EXPECT_FALSE(Look(hours));

    // The folder made anew after its queue was lost: a new watch does not join the dead one.
    ASSERT_TRUE(QDir(temp.Path()).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(temp.Path()));
    temp.Write("script.vsc", "1");
    EXPECT_TRUE(Look(hours));
    EXPECT_FALSE(hours.FollowsNotices());
    FileChangeWatch script(temp.File("script.vsc"));
    ASSERT_TRUE(script.FollowsNotices());
    EXPECT_TRUE(Look(script));
    temp.Write("script.vsc", "2");
    EXPECT_TRUE(Look(script));
    EXPECT_TRUE(script.FollowsNotices());
}
