// SPDX-License-Identifier: GPL-3.0-or-later
// Host-name and address queries that always find 10.0.0.5: no test waits on the network.
#pragma once

#include "link/AddressQueries.h"

class FixedAddress final : public AddressQueries {
public:
    std::optional<QString> HostName(int*) override { return QStringLiteral("host"); }
    std::optional<std::vector<IPv4>> ResolveHost(const QString&) override {
        return std::vector<IPv4>{0x0A000005};
    }
    std::vector<IPv4> InterfaceAddresses(const QString&) override { return {}; }
};
