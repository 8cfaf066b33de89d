// SPDX-License-Identifier: GPL-3.0-or-later
// Tells whether a file may have changed since it was last read: from the kernel's notices
// where its folder gives them, else with one stat.
#pragma once

#include "core/FolderChangeNotices.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

// With notices, a file is read again when a notice names it: every write makes one. A
// symbolic link's target can change elsewhere, so a link, like a folder without notices,
// is looked at with stat: the file is read again when its device, inode, size,
// modification or change time differ from the last look (a file that appears or goes away
// counts), and always while its last change is less than two seconds old: a second write
// within the file system's time granularity can leave every figure as it was.
class FileChangeWatch {
public:
    // Nanoseconds since the epoch, the clock of the files' times.
    using WallClock = std::function<int64_t()>;

    enum class Looks { NoticesWhereGiven, StatOnly };

    explicit FileChangeWatch(const QString& path, WallClock now = nullptr,
                             Looks looks = Looks::NoticesWhereGiven);

    // True at the first call and whenever the file must be read again (see above).
    [[nodiscard]] bool Changed();
    // Whether the kernel's notices are followed rather than stat.
    bool FollowsNotices() const { return notices_ != nullptr; }

private:
    bool Noticed();

    struct Stamp {
        bool exists = false;
        uint64_t device = 0, inode = 0;
        int64_t size = 0, modifiedNs = 0, changedNs = 0;
        bool operator==(const Stamp& other) const;
    };

    QByteArray path_;
    WallClock now_;
    std::unique_ptr<FolderChangeNotices> notices_;
    bool looked_ = false;
    std::optional<Stamp> last_;
};
