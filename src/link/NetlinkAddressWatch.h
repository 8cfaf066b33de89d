// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel's notices of IPv4 address and network link changes, read as they arrive.
#pragma once

#include "link/AddressChangeWatch.h"

#include <cstddef>
#include <memory>

class QSocketNotifier;

// A rtnetlink socket in the IPv4 address and link groups, read by a socket notifier on the
// thread that creates the object (it needs that thread's event loop). When the socket
// cannot be opened the watch is not watching and never reports a change.
class NetlinkAddressWatch final : public AddressChangeWatch {
public:
    NetlinkAddressWatch();
    ~NetlinkAddressWatch() override;
    NetlinkAddressWatch(const NetlinkAddressWatch&) = delete;
    NetlinkAddressWatch& operator=(const NetlinkAddressWatch&) = delete;

    bool IsWatching() const override { return socket_ >= 0; }
    bool TakeChange() override;

private:
    void ReadNotices();

    int socket_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    bool changed_ = false;
};

// True when one datagram from the kernel holds a notice that can change the address shown:
// an address added or removed, a link added, removed or changed (up, down, renamed). A
// wireless event (a Wi-Fi scan's results) also comes as a link notice and is not one. A
// datagram that cannot be read through counts as a change.
[[nodiscard]] bool NoticesChangeAddress(const void* datagram, size_t size);
