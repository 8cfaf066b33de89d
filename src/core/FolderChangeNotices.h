// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel's notices (inotify) of what happens to one name in a folder.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// Every write, attribute change, creation, removal or rename of the name makes a notice,
// so a look costs one read of the notice queue instead of a stat. Only where every change
// passes through this kernel: a folder on a local file system. On NFS, SMB, FUSE and the
// like, or without inotify, Watch() gives nothing and the caller looks with stat.
class FolderChangeNotices {
public:
    enum class Notice {
        None,     // nothing happened to the name since the last look
        Changed,  // something did, or the queue overflowed and it may have
        Lost,     // the folder was removed, renamed or unmounted: no more notices will come
    };

    static std::unique_ptr<FolderChangeNotices> Watch(const QString& folder,
                                                      const QByteArray& name);
    ~FolderChangeNotices();
    FolderChangeNotices(const FolderChangeNotices&) = delete;
    FolderChangeNotices& operator=(const FolderChangeNotices&) = delete;

    // Takes every notice queued since the last look.
    Notice Take();

private:
    FolderChangeNotices(int queue, QByteArray name) : queue_(queue), name_(std::move(name)) {}

    int queue_;
    QByteArray name_;
};
