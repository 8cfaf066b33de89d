// SPDX-License-Identifier: GPL-3.0-or-later
// The system's host-name and address queries, and the rule that picks the address shown.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// IPv4 addresses as 32-bit numbers, first byte in the highest bits (10.0.0.5 = 0x0A000005).
using IPv4 = uint32_t;

// Seam over gethostname/getaddrinfo/getifaddrs so that tests can make each one fail.
// Called from a worker thread: implementations must be thread-safe.
class AddressQueries {
public:
    virtual ~AddressQueries() = default;
    // The host name, or nothing with the system's error code in `error`.
    virtual std::optional<QString> HostName(int* error) = 0;
    // The IPv4 addresses of a host name in the resolver's order; nothing when it fails.
    virtual std::optional<std::vector<IPv4>> ResolveHost(const QString& host) = 0;
    // The IPv4 addresses of one interface, or of every interface up when `name` is empty.
    virtual std::vector<IPv4> InterfaceAddresses(const QString& name) = 0;
};

class SystemAddressQueries final : public AddressQueries {
public:
    std::optional<QString> HostName(int* error) override;
    std::optional<std::vector<IPv4>> ResolveHost(const QString& host) override;
    std::vector<IPv4> InterfaceAddresses(const QString& name) override;
};

struct AddressLookup {
    QString address;  // dotted decimal, empty when none was found
    QString failure;  // the message for the user when a query failed and nothing was found

    bool operator==(const AddressLookup& other) const {
        return address == other.address && failure == other.failure;
    }
};

// "192.168.100.200": each byte as an unsigned decimal without leading zeros.
QString IPv4Text(IPv4 address);
bool IsLoopback(IPv4 address);

// The first non-loopback address of the host name; else the first address of the link's
// interface; else the first non-loopback address of the machine.
AddressLookup LookUpLocalAddress(AddressQueries& queries, const QString& linkInterface);
