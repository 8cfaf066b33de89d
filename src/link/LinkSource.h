// SPDX-License-Identifier: GPL-3.0-or-later
// The program's only contact with the connection: is it up, its figures, its name, hang up.
#pragma once

#include "link/LinkStats.h"

#include <QString>

// The caption and statistics file name used when there is no connection at all.
inline const QString kNoLinkName = QStringLiteral("Не найдено!");

// One backend watches one connection; every operation acts on that connection. Calls come
// from the user-interface thread and must return quickly (no waiting on the network).
class LinkSource {
public:
    virtual ~LinkSource() = default;

    // True only while the watched connection is fully connected (not while dialling).
    virtual bool IsLinkConnected() = 0;
    // The figures of the watched connection and its number; all zero when there is none.
    virtual LinkStats GetLinkStats() = 0;
    // The connection's name as the user knows it, also while dialling; kNoLinkName when
    // there is no connection at all.
    virtual QString GetLinkName() = 0;
    // Asks `connection` (the number its figures were read with) to end when it is still
    // the one up, and returns at once; the change shows at the next poll. A connection that
    // is dialling, or whose figures were never read, is never touched.
    void HangUpLink(uint64_t connection) {
        if (connection != 0 && IsLinkConnected() && GetLinkStats().connection == connection)
            EndConnection();
    }
    // The network interface that carries the connection's data (e.g. "ppp0"); empty when
    // there is none or the backend has no interface. Used to find the link's own address.
    virtual QString GetLinkInterface() = 0;

protected:
    // Asks the connection up now to end.
    virtual void EndConnection() = 0;
};
