// A link read from NetworkManager over the system bus (and ModemManager behind a modem).
#pragma once

#include "link/LinkSource.h"
#include "link/SmallFile.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

class MonotonicClock;
class QDBusMessage;

// Watches the first active connection that is metered or of a remote-access kind, or the
// one whose Id is asked for. What NetworkManager knows is cached and refreshed when its
// signals say something changed (and every few seconds in case a signal was missed), so
// a tick costs no more than the counters.
class NetworkManagerLink final : public QObject, public LinkSource {
    Q_OBJECT

public:
    // `sysClassNet` is where the counters of the connection's IP interface are read first;
    // without them the Statistics properties of the device are used.
    NetworkManagerLink(QDBusConnection bus, const MonotonicClock& clock, QString wantedId = {},
                       QString sysClassNet = QStringLiteral("/sys/class/net"));

    // True when NetworkManager answers on the bus.
    static bool IsAvailable(const QDBusConnection& bus);

    bool IsLinkConnected() override;
    LinkStats GetLinkStats() override;
    QString GetLinkName() override;
    void HangUpLink() override;
    QString GetLinkInterface() override;

private Q_SLOTS:
    void OnPropertiesChanged(const QDBusMessage& message);
    void OnStateChanged(const QDBusMessage& message);

private:
    struct Watched {
        QString path;         // the active connection's object path, empty when none
        QString id;           // its name as the user knows it
        uint state = 0;       // ACTIVATING 1, ACTIVATED 2, DEACTIVATING 3, DEACTIVATED 4
        QString device;       // object path of its first device
        QString ipInterface;  // the interface carrying its data (ppp0, wlan0...)
        uint deviceType = 0;
        uint64_t bps = 0;           // speed reported by the device or modem bearer
        int64_t modemStartMs = -1;  // ModemManager's start-date as a monotonic moment
    };

    void RefreshIfStale();
    void Refresh();
    bool Chooses(const QVariantMap& active, const QVariantMap& device) const;
    bool ProfileIsMetered(const QString& profilePath) const;
    void ReadDevice(Watched& watched, const QVariantMap& device) const;
    void ReadModem(Watched& watched, const QString& modemPath) const;
    void Track(const Watched& watched);
    bool ReadCounters(uint64_t* rx, uint64_t* tx);
    QVariantMap GetAll(const QString& service, const QString& path, const QString& interface) const;
    QVariant Get(const QString& service, const QString& path, const QString& interface,
                 const QString& name) const;

    QDBusConnection bus_;
    const MonotonicClock& clock_;
    QString wantedId_;
    QString sysClassNet_;
    Watched watched_;
    bool dirty_ = true;
    int64_t refreshedMs_ = 0;
    // The connection whose counters and time online are being counted.
    QString trackedPath_;
    bool started_ = false;  // seen ACTIVATED
    int64_t startMs_ = 0;
    uint64_t baselineRx_ = 0, baselineTx_ = 0;
    // Statistics from the device's properties, refreshed by signal or at most every second.
    uint64_t statsRx_ = 0, statsTx_ = 0;
    bool statsSignalled_ = false;
    int64_t statsReadMs_ = -1;
    // The kernel's counters of the watched IP interface, kept open while it is watched.
    QString countersOf_;
    OpenSmallFile rxFile_, txFile_;
};
