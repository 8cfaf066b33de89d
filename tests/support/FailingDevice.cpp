// SPDX-License-Identifier: GPL-3.0-or-later
#include "FailingDevice.h"

#include "core/AtomicFile.h"

#include <cerrno>

FailingDevice::FailingDevice(QIODevice& target, qint64 bytesBeforeFailure)
    : target_(target), left_(bytesBeforeFailure) {
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 FailingDevice::writeData(const char* data, qint64 size) {
    if (left_ == 0) {
        errno = ENOSPC;
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
    const qint64 wrote = target_.write(data, qMin(size, left_));
    if (wrote > 0) left_ -= wrote;
    return wrote;  // a short write, as the system call gives before the disk is full
}

ScopedFailingWrites::ScopedFailingWrites(qint64 bytesBeforeFailure) {
    SetWriteDeviceWrapper([bytesBeforeFailure](QIODevice& temporary) {
        return std::make_unique<FailingDevice>(temporary, bytesBeforeFailure);
    });
}

ScopedFailingWrites::~ScopedFailingWrites() {
    SetWriteDeviceWrapper({});
}
