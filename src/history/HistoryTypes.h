// SPDX-License-Identifier: GPL-3.0-or-later
// The figures the history keeps: what a connection used, and one connection's row.
#pragma once

#include "tariff/ClassShares.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Traffic and money used, over a connection or a span of time.
struct Usage {
    int64_t received = 0;  // bytes
    int64_t sent = 0;      // bytes
    double cost = 0;       // money, as booked: the traffic cost or the time cost

    int64_t Total() const { return received + sent; }
    Usage& operator+=(const Usage& other) {
        received += other.received;
        sent += other.sent;
        cost += other.cost;
        return *this;
    }
    Usage operator-(const Usage& other) const {
        return {received - other.received, sent - other.sent, cost - other.cost};
    }
    bool operator==(const Usage& other) const {
        return received == other.received && sent == other.sent && cost == other.cost;
    }
};

// A running connection's figures as the counters give them, all since it was made.
struct ConnectionFigures {
    Usage usage;
    int64_t onlineSeconds = 0;

    bool operator==(const ConnectionFigures& other) const {
        return usage == other.usage && onlineSeconds == other.onlineSeconds;
    }
};

// The running program's connection: its row and its figures now, stored or not.
struct RunningConnection {
    int64_t id = 0;
    ConnectionFigures figures;
};

// What is known of a connection when it is first seen.
struct ConnectionStart {
    QString name;        // the connection's name as the link reports it
    QString linkSource;  // the link_source setting it was seen through
    QDateTime start;     // when it was made
    int tariffType = 0;  // Type_tar: 0 price per MB, else price per hour
};

// One connection's row. `end` is invalid while the connection is open.
struct ConnectionRecord {
    int64_t id = 0;
    QString name;
    QString linkSource;
    QDateTime start;  // UTC
    QDateTime end;    // UTC; invalid while open
    ConnectionFigures figures;
    int tariffType = 0;
    bool booked = false;    // its cost went into the statistics file
    bool cutShort = false;  // the program ended while it was up; closed at its last sample
    QDateTime lastSample;   // UTC; invalid when it has none
    ClassShares classes;    // its figures per tariff class; read for open rows only

    bool Open() const { return !end.isValid(); }
};
