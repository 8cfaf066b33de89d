// SPDX-License-Identifier: GPL-3.0-or-later
// A link read from NetworkManager over the system bus (and ModemManager behind a modem).
#pragma once

#include "link/ConnectionNumbers.h"
#include "link/LinkSource.h"
#include "link/NetworkManagerScan.h"
#include "link/SmallFile.h"

#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QString>

class MonotonicClock;
class QDBusMessage;
class QDBusPendingCallWatcher;

// Watches the first active connection that is metered or of a remote-access kind, or the
// one whose Id is asked for, and keeps watching it while it stays up. What NetworkManager knows is
// kept from its signals and from asynchronous calls (a new look when a signal says something
// changed, and every few seconds in case a signal was missed); a tick only reads what is already
// known and never waits on the bus. Until the first answer has arrived there is no connection.
class NetworkManagerLink final : public QObject, public LinkSource {
    Q_OBJECT

public:
    // `sysClassNet` is where the counters of the connection's IP interface are read first;
    // without them the Statistics properties of the device are used.
    NetworkManagerLink(QDBusConnection bus, const MonotonicClock& clock, QString wantedId = {},
                       QString sysClassNet = QStringLiteral("/sys/class/net"));

    // True when NetworkManager's name is on the bus (a question to the bus itself).
    static bool IsAvailable(const QDBusConnection& bus);

    bool IsLinkConnected() override;
    LinkStats GetLinkStats() override;
    QString GetLinkName() override;
    QString GetLinkInterface() override;

    // What NetworkManager said of the watched connection at the last look.
    const NetworkManagerConnection& Watched() const { return watched_; }
    QDBusConnection Bus() const { return bus_; }

    // True while a look at NetworkManager's objects is under way.
    bool IsScanning() const { return !scan_.isNull(); }

private Q_SLOTS:
    void OnPropertiesChanged(const QDBusMessage& message);
    void OnStateChanged(const QDBusMessage& message);

protected:
    void EndConnection() override;

private:
    void ScanIfStale();
    void Scan();
    void Apply(const NetworkManagerConnection& found);
    void Track();
    bool ReadCounters(uint64_t* rx, uint64_t* tx);
    void AskStatistics();

    QDBusConnection bus_;
    const MonotonicClock& clock_;
    QString wantedId_;
    QString sysClassNet_;
    NetworkManagerConnection watched_;
    QPointer<NetworkManagerScan> scan_;
    bool dirty_ = true;
    int64_t scannedMs_ = 0;
    // The connection whose counters and time online are being counted.
    QString trackedPath_;
    ConnectionNumbers numbers_;
    bool started_ = false;  // seen ACTIVATED
    int64_t startMs_ = 0;
    uint64_t baselineRx_ = 0, baselineTx_ = 0;
    // Statistics from the device's properties, kept from signals and asked for at most
    // every second while no signal brings them.
    uint64_t statsRx_ = 0, statsTx_ = 0;
    bool statsKnown_ = false;
    bool statsSignalled_ = false;
    int64_t statsAskedMs_ = -1;
    QPointer<QDBusPendingCallWatcher> statsCall_;
    // The kernel's counters of the watched IP interface, kept open while it is watched.
    QString countersOf_;
    OpenSmallFile rxFile_, txFile_;
};
