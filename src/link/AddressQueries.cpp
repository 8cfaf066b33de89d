// SPDX-License-Identifier: GPL-3.0-or-later
// The host-name and address queries of the system, and the choice of the address shown.
#include "link/AddressQueries.h"

#include <QStringList>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <unistd.h>

std::optional<QString> SystemAddressQueries::HostName(int* error) {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        *error = errno;
        return std::nullopt;
    }
    return QString::fromLocal8Bit(name);
}

std::optional<std::vector<IPv4>> SystemAddressQueries::ResolveHost(const QString& host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;  // one entry per address, not one per socket type
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.toLocal8Bit().constData(), nullptr, &hints, &found) != 0)
        return std::nullopt;
    std::vector<IPv4> addresses;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        const IPv4 address =
            ntohl(reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr);
        if (std::find(addresses.begin(), addresses.end(), address) == addresses.end())
            addresses.push_back(address);
    }
    ::freeaddrinfo(found);
    return addresses;
}

std::vector<IPv4> SystemAddressQueries::InterfaceAddresses(const QString& name) {
    std::vector<IPv4> addresses;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return addresses;
    const QByteArray wanted = name.toLocal8Bit();
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET ||
            !(entry->ifa_flags & IFF_UP))
            continue;
        if (!wanted.isEmpty() && wanted != entry->ifa_name) continue;
        addresses.push_back(
            ntohl(reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr.s_addr));
    }
    ::freeifaddrs(list);
    return addresses;
}

QString IPv4Text(IPv4 address) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

bool IsLoopback(IPv4 address) {
    return (address >> 24) == 127;
}

namespace {

std::optional<IPv4> FirstNonLoopback(const std::vector<IPv4>& addresses) {
    const auto found =
        std::find_if(addresses.begin(), addresses.end(), [](IPv4 a) { return !IsLoopback(a); });
    return found == addresses.end() ? std::nullopt : std::optional<IPv4>(*found);
}

// The error code as the old sockets message wrote it: a blank in place of a plus sign.
QString HostNameFailure(int error) {
    const QString code = (error >= 0 ? QStringLiteral(" ") : QString()) + QString::number(error);
    return QStringLiteral("Windows Sockets error ") + code +
           QStringLiteral(" has occurred. Unable to successfully get Host Name.");
}

}  // namespace

AddressLookup LookUpLocalAddress(AddressQueries& queries, const QString& linkInterface) {
    QString failure;
    int error = 0;
    const std::optional<QString> host = queries.HostName(&error);
    if (!host) {
        failure = HostNameFailure(error);
    } else if (const auto resolved = queries.ResolveHost(*host)) {
        // Debian maps the host name to 127.0.1.1, which tells the user nothing.
        if (const auto address = FirstNonLoopback(*resolved)) return {IPv4Text(*address), {}};
    } else {
        failure = QStringLiteral(
            "Windows Sockets are not responding. Unable to successfully get Host Name.");
    }
    if (!linkInterface.isEmpty())
        if (const auto address = FirstNonLoopback(queries.InterfaceAddresses(linkInterface)))
            return {IPv4Text(*address), {}};
    if (const auto address = FirstNonLoopback(queries.InterfaceAddresses({})))
        return {IPv4Text(*address), {}};
    return {{}, failure};
}
