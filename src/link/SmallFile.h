// Reads the small text files of /sys and /run with plain system calls: ticks read many.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// The file's first 255 bytes, trimmed; empty when it cannot be read.
QByteArray ReadSmallFile(const QString& path);

// A decimal counter file such as statistics/rx_bytes; nothing when missing or not a number.
std::optional<uint64_t> ReadCounterFile(const QString& path);
