// The single-instance lock.
#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& folder)
    : lock_(QDir(folder).filePath(QStringLiteral("vantoril.lock"))) {
    lock_.setStaleLockTime(0);  // only a lock whose process has died is stale
}

QString SingleInstance::DefaultFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

bool SingleInstance::Acquire() {
    return lock_.isLocked() || lock_.tryLock(0);
}
