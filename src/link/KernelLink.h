// SPDX-License-Identifier: GPL-3.0-or-later
// A link read from the kernel's point-to-point interfaces (pppd started by pon, a VPN...).
#pragma once

#include "link/ConnectionNumbers.h"
#include "link/KernelPaths.h"
#include "link/LinkSource.h"
#include "link/SmallFile.h"

#include <QString>

#include <cstdint>

class MonotonicClock;

class KernelLink final : public LinkSource {
public:
    // Watches `interfaceName`, or, when it is empty, the first point-to-point interface
    // that is up and running (ppp*, then wwan*, then tun*). The clock must outlive the link.
    KernelLink(KernelPaths paths, const MonotonicClock& clock, QString interfaceName = {});

    bool IsLinkConnected() override;
    LinkStats GetLinkStats() override;
    QString GetLinkName() override;
    QString GetLinkInterface() override;

protected:
    void EndConnection() override;

private:
    struct PidFile {
        int64_t pid = 0;
        QString linkName;   // from pppd's "linkname" option, empty without one
        int64_t ageMs = 0;  // how long ago pppd wrote it
        bool found = false;
    };

    // Re-reads whether the watched interface is still up, or finds a new one.
    bool Poll();
    bool IsUpAndRunning(const QString& name) const;
    bool CurrentIsUpAndRunning() const;
    QString FindInterface() const;
    void BeginConnection(const QString& name);
    PidFile ReadPidFile(const QString& name) const;
    bool SignalPppd(int64_t pid) const;
    void TakeInterfaceDown() const;

    KernelPaths paths_;
    const MonotonicClock& clock_;
    QString wanted_;
    QString current_;            // the interface of the connection watched, empty when none
    QString name_;               // the connection's name
    int64_t startMs_ = 0;        // monotonic moment the connection was made
    bool lookedInVain_ = false;  // the last look found nothing (said once in the log)
    int64_t pid_ = 0;            // pppd's process id, 0 without pppd
    LinkStats baseline_;         // counters at the start of a connection on a reused interface
    QString lastIfindex_;        // ifindex of the last interface watched, to notice reuse
    int64_t begun_ = 0;          // connections begun: the current one's key
    ConnectionNumbers numbers_;
    // The watched interface's files, kept open while it is watched.
    OpenSmallFile flags_, operstate_, rx_, tx_;
};
