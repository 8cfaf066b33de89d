// SPDX-License-Identifier: GPL-3.0-or-later
// An inotify queue with one watch, read without blocking.
#include "core/FolderChangeNotices.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <utility>
#include <vector>

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

// One inotify queue watching a folder, read for every name watched in it.
class FolderChangeNotices::Queue {
public:
    // The queue of this thread for the folder; a new one when there is none or it is lost.
    static std::shared_ptr<Queue> For(const QByteArray& folder) {
        thread_local std::map<QByteArray, std::weak_ptr<Queue>> queues;
        std::shared_ptr<Queue> queue = queues[folder].lock();
        if (queue && !queue->lost_) return queue;
        const int descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (descriptor < 0) return nullptr;
        if (::inotify_add_watch(descriptor, folder.constData(), kNamed | kFolderGone | IN_ONLYDIR) <
            0) {
            ::close(descriptor);
            return nullptr;
        }
        queue = std::make_shared<Queue>(descriptor);
        queues[folder] = queue;
        return queue;
    }

    explicit Queue(int descriptor) : descriptor_(descriptor) {
        if (!QAbstractEventDispatcher::instance()) return;
        readable_ = std::make_unique<QSocketNotifier>(descriptor_, QSocketNotifier::Read);
        // Off until the queue is read, or the loop would wake again and again for the same
        // bytes.
        QObject::connect(readable_.get(), &QSocketNotifier::activated, [this] {
            signalled_ = true;
            readable_->setEnabled(false);
        });
    }
    ~Queue() {
        readable_.reset();
        ::close(descriptor_);
    }
    Queue(const Queue&) = delete;
    Queue& operator=(const Queue&) = delete;

    void Join(FolderChangeNotices* watcher) { watchers_.push_back(watcher); }
    void Leave(FolderChangeNotices* watcher) {
        watchers_.erase(std::find(watchers_.begin(), watchers_.end(), watcher));
    }
    bool Lost() const { return lost_; }

    // Hands every notice queued since the last read to the watchers of its name.
    void Read() {
        if (lost_) return;
        if (readable_) {
            if (!signalled_) return;
            signalled_ = false;
            readable_->setEnabled(true);
        }
        alignas(inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t length = ::read(descriptor_, buffer, sizeof buffer);
            if (length < 0 && errno == EINTR) continue;
            if (length < 0 && errno == EAGAIN) return;
            if (length <= 0) {  // a queue that cannot be read tells nothing more
                lost_ = true;
                return;
            }
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                at += ssize_t(sizeof(inotify_event) + event->len);
                if (event->mask & kFolderGone) {
                    lost_ = true;
                    return;
                }
                for (FolderChangeNotices* watcher : watchers_) {
                    if ((event->mask & IN_Q_OVERFLOW) ||
                        (event->len > 0 &&
                         std::strcmp(event->name, watcher->name_.constData()) == 0))
                        watcher->changed_ = true;
                }
            }
        }
    }

private:
    int descriptor_;
    std::vector<FolderChangeNotices*> watchers_;
    std::unique_ptr<QSocketNotifier> readable_;  // none without an event loop: always read
    bool signalled_ = false;
    bool lost_ = false;  // the folder is gone: no more notices
};

std::unique_ptr<FolderChangeNotices> FolderChangeNotices::Watch(const QString& folder,
                                                                const QByteArray& name) {
    const QByteArray path = QFile::encodeName(folder);
    if (!IsLocalFileSystem(path)) return nullptr;
    std::shared_ptr<Queue> queue = Queue::For(path);
    if (!queue) return nullptr;
    return std::unique_ptr<FolderChangeNotices>(new FolderChangeNotices(std::move(queue), name));
}

FolderChangeNotices::FolderChangeNotices(std::shared_ptr<Queue> queue, QByteArray name)
    : queue_(std::move(queue)), name_(std::move(name)) {
    queue_->Join(this);
}

FolderChangeNotices::~FolderChangeNotices() {
    queue_->Leave(this);
}

FolderChangeNotices::Notice FolderChangeNotices::Take() {
    queue_->Read();
    if (queue_->Lost()) return Notice::Lost;
    const bool changed = std::exchange(changed_, false);
    return changed ? Notice::Changed : Notice::None;
}
