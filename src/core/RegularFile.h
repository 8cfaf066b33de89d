// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the program's own files: regular files only, never blocking, never beyond a size.
#pragma once

#include <QByteArray>
#include <QString>

// The largest file of each kind the program reads; a larger one is refused, never rewritten.
inline constexpr qint64 kKiB = 1024;
inline constexpr qint64 kMiB = 1024 * kKiB;

struct RegularFile {
    enum class Status {
        Read,        // `bytes` hold the whole file
        Missing,     // nothing at the path
        NotRegular,  // a folder, pipe, socket or device: reads as missing, never replaced
        TooLarge,    // over the limit: not read
        Unreadable,  // no permission, or an input/output error
    };
    Status status = Status::Missing;
    QByteArray bytes;
    QString error;  // for NotRegular, TooLarge and Unreadable: plain words naming the file

    bool IsRead() const { return status == Status::Read; }
    // Whether the file may be replaced: it was read whole, or there is nothing to lose.
    bool MayReplace() const { return status == Status::Read || status == Status::Missing; }
};

// Opens `path` without blocking (a pipe put in a file's place never freezes the program),
// checks that it is a regular file no larger than `limit` bytes and reads it whole.
[[nodiscard]] RegularFile ReadRegularFile(const QString& path, qint64 limit);
// The same for a path as the file system's bytes (a name that is not UTF-8 stays
// reachable); messages name the file as `shownPath`.
[[nodiscard]] RegularFile ReadRegularFile(const QByteArray& nativePath, const QString& shownPath,
                                          qint64 limit);

// The reason of a failed system call (an errno value) in plain Russian words.
QString SystemErrorText(int error);
