// The statistics record of the watched connection: the four figures the program uses.
#pragma once

#include <cstdint>

// Every field counts from zero when the connection is made. The counters are 64-bit:
// Linux counts past 4 GiB, and a 32-bit record would wrap on a modern connection.
struct LinkStats {
    uint64_t dwBytesRcved = 0;       // bytes received since the connection was made
    uint64_t dwBytesXmited = 0;      // bytes sent since the connection was made
    uint64_t dwBps = 0;              // link speed as the link layer reports it, bit/s
    uint64_t dwConnectDuration = 0;  // milliseconds since the connection was made

    bool operator==(const LinkStats& other) const {
        return dwBytesRcved == other.dwBytesRcved && dwBytesXmited == other.dwBytesXmited &&
               dwBps == other.dwBps && dwConnectDuration == other.dwConnectDuration;
    }
    bool operator!=(const LinkStats& other) const { return !(*this == other); }
};
