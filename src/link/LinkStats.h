// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics record of the watched connection: the four figures the program uses and
// the connection they belong to.
#pragma once

#include <cstdint>

// Every field counts from zero when the connection is made. The counters are 64-bit:
// Linux counts past 4 GiB, and a 32-bit record would wrap on a modern connection.
struct LinkStats {
    uint64_t bytesReceived = 0;  // bytes received since the connection was made
    uint64_t bytesSent = 0;      // bytes sent since the connection was made
    uint64_t bitsPerSecond = 0;  // link speed as the link layer reports it, bit/s
    uint64_t connectedMs = 0;    // milliseconds since the connection was made
    // The number the link gave this connection: each connection it sees gets a new one,
    // counting from 1; 0 when there was none.
    uint64_t connection = 0;

    bool operator==(const LinkStats& other) const {
        return bytesReceived == other.bytesReceived && bytesSent == other.bytesSent &&
               bitsPerSecond == other.bitsPerSecond && connectedMs == other.connectedMs &&
               connection == other.connection;
    }
    bool operator!=(const LinkStats& other) const { return !(*this == other); }
};
