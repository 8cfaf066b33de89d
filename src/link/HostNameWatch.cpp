// SPDX-License-Identifier: GPL-3.0-or-later
// The host name's change notice, waited on in the event loop.
#include "link/HostNameWatch.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>
#include <utility>

HostNameWatch::HostNameWatch(const QByteArray& path) {
    file_ = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (file_ < 0) return;
    // The kernel notes the change count as of the open and reports a change once per poll
    // that finds it moved: the notifier hears each change once and never spins.
    notifier_ = std::make_unique<QSocketNotifier>(file_, QSocketNotifier::Exception);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { changed_ = true; });
}

HostNameWatch::~HostNameWatch() {
    notifier_.reset();
    if (file_ >= 0) ::close(file_);
}

bool HostNameWatch::TakeChange() {
    return std::exchange(changed_, false);
}
