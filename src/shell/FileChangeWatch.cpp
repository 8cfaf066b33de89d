// SPDX-License-Identifier: GPL-3.0-or-later
// One stat per look: the file's identity, size and times.
#include "shell/FileChangeWatch.h"

#include <QFile>

#include <sys/stat.h>
#include <time.h>

namespace {

constexpr int64_t kRecentNs = 2'000'000'000;

int64_t Nanoseconds(const timespec& time) {
    return int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

int64_t SystemWallClock() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

}  // namespace

bool FileChangeWatch::Stamp::operator==(const Stamp& other) const {
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs;
}

FileChangeWatch::FileChangeWatch(const QString& path, WallClock now)
    : path_(QFile::encodeName(path)), now_(now ? std::move(now) : SystemWallClock) {}

bool FileChangeWatch::Changed() {
    Stamp stamp;
    struct stat status {};
    if (::stat(path_.constData(), &status) == 0) {
        stamp.exists = true;
        stamp.device = status.st_dev;
        stamp.inode = status.st_ino;
        stamp.size = status.st_size;
        stamp.modifiedNs = Nanoseconds(status.st_mtim);
        stamp.changedNs = Nanoseconds(status.st_ctim);
    }
    // A change time ahead of the clock (the clock set back) counts as recent too.
    const bool recent = stamp.exists && now_() - stamp.changedNs < kRecentNs;
    const bool changed = !last_ || !(*last_ == stamp) || recent;
    last_ = stamp;
    return changed;
}
