// SPDX-License-Identifier: GPL-3.0-or-later
// TZ set to ":file"; a different value and back makes the C library read the file again.
#include "core/LocalZone.h"

#include <QFile>
#include <QFileInfo>

#include <cstdlib>
#include <ctime>

LocalZone::LocalZone(const QString& zoneFile) {
    if (std::getenv("TZ")) return;
    zone_ = ':' + QFile::encodeName(zoneFile);
    const QFileInfo file(zoneFile);
    notices_ = FolderChangeNotices::Watch(file.absolutePath(), QFile::encodeName(file.fileName()));
    if (notices_) Reload();  // without notices a new zone would go unseen: TZ stays unset
}

void LocalZone::Follow() {
    if (!notices_) return;
    const FolderChangeNotices::Notice notice = notices_->Take();
    if (notice == FolderChangeNotices::Notice::None) return;
    Reload();
    if (notice == FolderChangeNotices::Notice::Lost) notices_.reset();  // none will come
}

void LocalZone::Reload() {
    // The library keeps what it read while TZ holds the same text as at the last read.
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    ::setenv("TZ", zone_.constData(), 1);
    ::tzset();
}
