// SPDX-License-Identifier: GPL-3.0-or-later
// A device that fails after some bytes, as a full disk does, and a scope that puts it
// under every atomic file write.
#pragma once

#include <QIODevice>

class FailingDevice : public QIODevice {
public:
    // Passes the first `bytesBeforeFailure` bytes to `target`, then fails every write
    // with "No space left on device".
    FailingDevice(QIODevice& target, qint64 bytesBeforeFailure);

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    QIODevice& target_;
    qint64 left_;
};

// While alive, each temporary file of an atomic write fails after `bytesBeforeFailure`.
class ScopedFailingWrites {
public:
    explicit ScopedFailingWrites(qint64 bytesBeforeFailure);
    ~ScopedFailingWrites();
    ScopedFailingWrites(const ScopedFailingWrites&) = delete;
    ScopedFailingWrites& operator=(const ScopedFailingWrites&) = delete;
};
