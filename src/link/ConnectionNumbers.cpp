// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers the connections one link sees.
#include "link/ConnectionNumbers.h"

void ConnectionNumbers::Stamp(const QString& key, LinkStats& stats) {
    const bool fell = stats.bytesReceived < last_.bytesReceived ||
                      stats.bytesSent < last_.bytesSent || stats.connectedMs < last_.connectedMs;
    if (number_ == 0 || key != key_ || fell) {
        ++number_;
        key_ = key;
    }
    last_ = stats;
    stats.connection = number_;
}
