// SPDX-License-Identifier: GPL-3.0-or-later
// One read of the notice queue per look, or one stat: the file's identity, size and times.
#include "core/FileChangeWatch.h"

#include <QFile>
#include <QFileInfo>

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

bool IsLink(const QByteArray& path) {
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

}  // namespace

bool FileChangeWatch::Stamp::operator==(const Stamp& other) const {
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs;
}

FileChangeWatch::FileChangeWatch(const QString& path, WallClock now, Looks looks)
    : path_(QFile::encodeName(path)), now_(now ? std::move(now) : SystemWallClock) {
    const QFileInfo file(path);
    if (looks == Looks::NoticesWhereGiven)
        notices_ =
            FolderChangeNotices::Watch(file.absolutePath(), QFile::encodeName(file.fileName()));
}

bool FileChangeWatch::Changed() {
    if (notices_) return Noticed();
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

bool FileChangeWatch::Noticed() {
    const FolderChangeNotices::Notice notice = notices_->Take();
    if (notice == FolderChangeNotices::Notice::None && looked_) return false;
    looked_ = true;
    // Looked at with stat from now on, starting with a fresh look that counts as a change.
    if (notice == FolderChangeNotices::Notice::Lost || IsLink(path_)) notices_.reset();
    return true;
}
