// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel's notices (inotify) of what happens to one name in a folder.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// Every write, attribute change, creation, removal or rename of the name makes a notice,
// so a look costs one read of the notice queue instead of a stat; inside an event loop not
// even that: the queue is read only after the loop saw it become readable. Only where every change
// passes through this kernel: a folder on a local file system. On NFS, SMB, FUSE and the
// like, or without inotify, Watch() gives nothing and the caller looks with stat.
// The names watched in one folder by one thread share a queue: one descriptor for the loop
// to wait on, one of the user's few inotify instances, and one read for a burst of writes.
// So a watch is looked at, and ends, on the thread that made it.
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
    class Queue;
    FolderChangeNotices(std::shared_ptr<Queue> queue, QByteArray name);

    std::shared_ptr<Queue> queue_;
    QByteArray name_;
    bool changed_ = false;  // noticed by a read of the queue, not yet taken
};
