// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel's notice of a new host name.
#pragma once

#include "link/AddressChangeWatch.h"

#include <QByteArray>

#include <memory>

class QSocketNotifier;

// /proc/sys/kernel/hostname tells poll() of a new host name as an exceptional condition,
// once per change, so the name need not be asked for again and again. Waited on by a socket
// notifier of the thread that creates the object (it needs that thread's event loop); when
// the file cannot be opened nothing is watched and the caller asks for the name itself.
class HostNameWatch final : public AddressChangeWatch {
public:
    static inline const QByteArray kKernelFile = QByteArrayLiteral("/proc/sys/kernel/hostname");

    explicit HostNameWatch(const QByteArray& path = kKernelFile);
    ~HostNameWatch() override;
    HostNameWatch(const HostNameWatch&) = delete;
    HostNameWatch& operator=(const HostNameWatch&) = delete;

    bool IsWatching() const override { return file_ >= 0; }
    bool TakeChange() override;

private:
    int file_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool changed_ = false;
};
