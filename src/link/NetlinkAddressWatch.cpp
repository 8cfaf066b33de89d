// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the kernel's rtnetlink notices as they arrive and keeps only "something changed".
#include "link/NetlinkAddressWatch.h"

#include "core/Logging.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Wireless extensions send their events (scan results, association) as link notices that
// carry an IFLA_WIRELESS attribute; a real link change never does.
bool IsWirelessEvent(const nlmsghdr* header) {
    if (header->nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) return false;
    const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(header));
    int left = static_cast<int>(IFLA_PAYLOAD(header));
    for (const rtattr* attribute = IFLA_RTA(info); RTA_OK(attribute, left);
         attribute = RTA_NEXT(attribute, left))
        if (attribute->rta_type == IFLA_WIRELESS) return true;
    return false;
}

}  // namespace

bool NoticesChangeAddress(const void* datagram, size_t size) {
    const auto* header = static_cast<const nlmsghdr*>(datagram);
    int left = static_cast<int>(size);
    for (; NLMSG_OK(header, left); header = NLMSG_NEXT(header, left)) {
        switch (header->nlmsg_type) {
            case RTM_NEWADDR:
            case RTM_DELADDR:
            case RTM_DELLINK:
                return true;
            case RTM_NEWLINK:
                if (!IsWirelessEvent(header)) return true;
                break;
            default:
                break;
        }
    }
    return left != 0;  // a rest too short to be a message: something was cut off
}

NetlinkAddressWatch::NetlinkAddressWatch() {
    const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0) {
        qCDebug(lcLink) << "address changes unwatched, no rtnetlink socket:" << strerror(errno);
        return;
    }
    // Only IPv4: the lookup reports IPv4 addresses only.
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    local.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_IFADDR;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        qCDebug(lcLink) << "address changes unwatched, rtnetlink groups refused:"
                        << strerror(errno);
        ::close(fd);
        return;
    }
    socket_ = fd;
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { ReadNotices(); });
}

NetlinkAddressWatch::~NetlinkAddressWatch() {
    notifier_.reset();
    if (socket_ >= 0) ::close(socket_);
}

bool NetlinkAddressWatch::TakeChange() {
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

// Reads every datagram waiting, so that the notifier fires again only for new ones.
void NetlinkAddressWatch::ReadNotices() {
    alignas(nlmsghdr) char buffer[16384];
    for (;;) {
        sockaddr_nl sender{};
        socklen_t senderSize = sizeof sender;
        const ssize_t size = ::recvfrom(socket_, buffer, sizeof buffer, MSG_TRUNC,
                                        reinterpret_cast<sockaddr*>(&sender), &senderSize);
        if (size >= 0) {
            if (sender.nl_pid != 0) continue;  // not from the kernel
            // MSG_TRUNC gives the whole size: a longer datagram was cut, its notices unread.
            if (size_t(size) > sizeof buffer || NoticesChangeAddress(buffer, size_t(size)))
                changed_ = true;
        } else if (errno == EINTR) {
            continue;
        } else if (errno == ENOBUFS) {
            changed_ = true;  // the kernel dropped notices the socket had no room for
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return;
        } else {
            // Notices may be lost from now on: the owner falls back to looking on its own.
            qCDebug(lcLink) << "address changes unwatched from now on:" << strerror(errno);
            changed_ = true;
            notifier_->setEnabled(false);
            ::close(socket_);
            socket_ = -1;
            return;
        }
    }
}
