// SPDX-License-Identifier: GPL-3.0-or-later
// An inotify queue with one watch, read without blocking.
#include "core/FolderChangeNotices.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// File systems whose every change is made by this kernel. Anything else (NFS, SMB, FUSE,
// cluster file systems, and any we do not know) is looked at with stat.
bool IsLocalFileSystem(const QByteArray& folder) {
    struct statfs about {};
    if (::statfs(folder.constData(), &about) != 0) return false;
    switch (static_cast<unsigned long>(about.f_type)) {
        case 0xEF53:      // ext2, ext3, ext4
        case 0x58465342:  // xfs
        case 0x9123683E:  // btrfs
        case 0x01021994:  // tmpfs
        case 0xF2F52010:  // f2fs
        case 0x52654973:  // reiserfs
        case 0x3153464A:  // jfs
        case 0x2FC12FC1:  // zfs
        case 0xCA451A4E:  // bcachefs
        case 0x794C7630:  // overlayfs
        case 0x4D44:      // vfat
        case 0x2011BAB0:  // exfat
        case 0x7366746E:  // ntfs3
            return true;
        default:
            return false;
    }
}

constexpr uint32_t kNamed =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr uint32_t kFolderGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT | IN_IGNORED;

}  // namespace

std::unique_ptr<FolderChangeNotices> FolderChangeNotices::Watch(const QString& folder,
                                                                const QByteArray& name) {
    const QByteArray path = QFile::encodeName(folder);
    if (!IsLocalFileSystem(path)) return nullptr;
    const int queue = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (queue < 0) return nullptr;
    if (::inotify_add_watch(queue, path.constData(), kNamed | kFolderGone | IN_ONLYDIR) < 0) {
        ::close(queue);
        return nullptr;
    }
    return std::unique_ptr<FolderChangeNotices>(new FolderChangeNotices(queue, name));
}

FolderChangeNotices::FolderChangeNotices(int queue, QByteArray name)
    : queue_(queue), name_(std::move(name)) {
    if (!QAbstractEventDispatcher::instance()) return;
    readable_ = std::make_unique<QSocketNotifier>(queue_, QSocketNotifier::Read);
    // Off until the queue is read, or the loop would wake again and again for the same bytes.
    QObject::connect(readable_.get(), &QSocketNotifier::activated, [this] {
        signalled_ = true;
        readable_->setEnabled(false);
    });
}

FolderChangeNotices::~FolderChangeNotices() {
    readable_.reset();
    ::close(queue_);
}

FolderChangeNotices::Notice FolderChangeNotices::Take() {
    if (readable_) {
        if (!signalled_) return Notice::None;
        signalled_ = false;
        readable_->setEnabled(true);
    }
    Notice notice = Notice::None;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t length = ::read(queue_, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR) continue;
        if (length < 0 && errno == EAGAIN) return notice;
        if (length <= 0) return Notice::Lost;  // a queue that cannot be read tells nothing more
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & kFolderGone) return Notice::Lost;
            if ((event->mask & IN_Q_OVERFLOW) ||
                (event->len > 0 && std::strcmp(event->name, name_.constData()) == 0))
                notice = Notice::Changed;
        }
    }
}
