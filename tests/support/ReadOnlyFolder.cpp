// SPDX-License-Identifier: GPL-3.0-or-later
// Read-only folders for tests: a mode, or a read-only bind mount for root.
#include "ReadOnlyFolder.h"

#include <QFile>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

ReadOnlyFolder::ReadOnlyFolder(const QString& path) : path_(QFile::encodeName(path)) {
    if (::geteuid() != 0) {
        made_ = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        return;
    }
    mounted_ = ::unshare(CLONE_NEWNS) == 0 &&
               ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               ::mount(path_.constData(), path_.constData(), nullptr, MS_BIND, nullptr) == 0;
    made_ = mounted_ && ::mount(nullptr, path_.constData(), nullptr,
                                MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (mounted_) {
        ::umount2(path_.constData(), MNT_DETACH);
        return;
    }
    QFile::setPermissions(QFile::decodeName(path_),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
