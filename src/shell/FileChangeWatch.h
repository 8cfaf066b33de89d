// SPDX-License-Identifier: GPL-3.0-or-later
// Tells with one stat whether a file may have changed since it was last read.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

// A file is read again when its device, inode, size, modification or change time differ
// from the last look (a file that appears or goes away counts), and always while its last
// change is less than two seconds old: a second write within the file system's time
// granularity can leave every figure as it was.
class FileChangeWatch {
public:
    // Nanoseconds since the epoch, the clock of the files' times.
    using WallClock = std::function<int64_t()>;

    explicit FileChangeWatch(const QString& path, WallClock now = nullptr);

    // True at the first call and whenever the file must be read again (see above).
    [[nodiscard]] bool Changed();

private:
    struct Stamp {
        bool exists = false;
        uint64_t device = 0, inode = 0;
        int64_t size = 0, modifiedNs = 0, changedNs = 0;
        bool operator==(const Stamp& other) const;
    };

    QByteArray path_;
    WallClock now_;
    std::optional<Stamp> last_;
};
