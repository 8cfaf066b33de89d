// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers the connections one link sees, so that figures and a hang-up name their connection.
#pragma once

#include "link/LinkStats.h"

#include <QString>

// A backend knows a connection by a key of its own (an object path, an interface and its
// pppd, a scenario's connection). Another key is another connection, and so are counters
// that fall under the same key: the link was made anew between two reads.
class ConnectionNumbers {
public:
    // Sets `stats.connection`, for figures just read from the connection known by `key`.
    void Stamp(const QString& key, LinkStats& stats);

private:
    QString key_;
    LinkStats last_;
    uint64_t number_ = 0;  // the last connection's; numbers only grow
};
