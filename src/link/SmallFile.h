// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the small text files of /sys and /run with plain system calls: ticks read many.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// The file's first 255 bytes, trimmed; empty when it cannot be read.
QByteArray ReadSmallFile(const QString& path);

// A small file kept open and read again from its start at each Read(): one system call
// instead of three, for the files a tick reads over and over. sysfs renews the text at
// every read from offset 0; a file whose interface has gone reads as empty.
class OpenSmallFile {
public:
    OpenSmallFile() = default;
    explicit OpenSmallFile(const QString& path);
    ~OpenSmallFile();
    OpenSmallFile(OpenSmallFile&& other) noexcept;
    OpenSmallFile& operator=(OpenSmallFile&& other) noexcept;
    OpenSmallFile(const OpenSmallFile&) = delete;
    OpenSmallFile& operator=(const OpenSmallFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    QByteArray Read() const;  // trimmed; empty when it cannot be read
    // A decimal counter such as statistics/rx_bytes; nothing when unreadable or not a number.
    std::optional<uint64_t> ReadCounter() const;

private:
    int fd_ = -1;
};
