// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance locks.
#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace {

// True when this process holds the lock or no lock file can be made there at all: a
// folder that cannot hold a lock file cannot be written, so nothing can be booked twice.
bool Take(QLockFile& lock) {
    lock.setStaleLockTime(0);  // only a lock whose process has died is stale
    if (lock.isLocked() || lock.tryLock(0)) return true;
    return lock.error() != QLockFile::LockFailedError;
}

}  // namespace

SingleInstance::SingleInstance(const QString& sessionFolder, const QString& programFolder)
    : session_(QDir(sessionFolder).filePath(QStringLiteral("vantoril.lock"))),
      folder_(QDir(programFolder).filePath(QStringLiteral(".vantoril.lock"))) {}

QString SingleInstance::DefaultFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

bool SingleInstance::Acquire() {
    return Take(session_) && Take(folder_);
}
