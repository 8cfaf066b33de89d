// Reads the watched connection from NetworkManager's objects on the system bus.
#include "link/NetworkManagerLink.h"

#include "link/MonotonicClock.h"
#include "link/SmallFile.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDateTime>

#include <algorithm>

namespace {

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
const QString kManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kManager = QStringLiteral("org.freedesktop.NetworkManager");
const QString kActive = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString kDevice = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString kStatistics = QStringLiteral("org.freedesktop.NetworkManager.Device.Statistics");
const QString kWired = QStringLiteral("org.freedesktop.NetworkManager.Device.Wired");
const QString kWireless = QStringLiteral("org.freedesktop.NetworkManager.Device.Wireless");
const QString kProfile = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kModemService = QStringLiteral("org.freedesktop.ModemManager1");
const QString kModem = QStringLiteral("org.freedesktop.ModemManager1.Modem");
const QString kBearer = QStringLiteral("org.freedesktop.ModemManager1.Bearer");

constexpr uint kActivated = 2;
constexpr int kCallTimeoutMs = 500;  // a hung NetworkManager must not freeze the window
constexpr int64_t kRescanMs = 3000;  // in case a signal was missed
constexpr int64_t kStatisticsPollMs = 1000;

// Device types: Ethernet 1, Wi-Fi 2, modem 8, ADSL 12, TUN 16, PPP 23, WireGuard 29.
constexpr uint kEthernet = 1, kWifi = 2, kModemDevice = 8;
bool CreatedWithConnection(uint deviceType, const QString& ipInterface) {
    const uint types[] = {kModemDevice, 12, 16, 23, 29};
    return std::find(std::begin(types), std::end(types), deviceType) != std::end(types) ||
           ipInterface.startsWith(QLatin1String("ppp"));
}

bool IsRemoteAccessKind(const QString& type) {
    static const QStringList kinds = {"gsm",  "cdma", "pppoe",    "bluetooth",
                                      "adsl", "vpn",  "wireguard"};
    return kinds.contains(type);
}

// Metered YES 1 or GUESS_YES 3, for devices and profiles alike.
bool IsMetered(uint value) {
    return value == 1 || value == 3;
}

QString FirstPath(const QVariant& paths) {
    const auto list = qdbus_cast<QList<QDBusObjectPath>>(paths);
    return list.isEmpty() ? QString() : list.first().path();
}

}  // namespace

NetworkManagerLink::NetworkManagerLink(QDBusConnection bus, const MonotonicClock& clock,
                                       QString wantedId, QString sysClassNet)
    : bus_(std::move(bus)),
      clock_(clock),
      wantedId_(std::move(wantedId)),
      sysClassNet_(std::move(sysClassNet)) {
    bus_.connect(kService, QString(), kProperties, QStringLiteral("PropertiesChanged"), this,
                 SLOT(OnPropertiesChanged(QDBusMessage)));
    bus_.connect(kService, QString(), kActive, QStringLiteral("StateChanged"), this,
                 SLOT(OnStateChanged(QDBusMessage)));
}

bool NetworkManagerLink::IsAvailable(const QDBusConnection& bus) {
    if (!bus.isConnected() || !bus.interface()) return false;
    const QDBusReply<bool> reply = bus.interface()->isServiceRegistered(kService);
    return reply.isValid() && reply.value();
}

void NetworkManagerLink::OnPropertiesChanged(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2) return;
    const QString interface = arguments[0].toString();
    const auto changed = qdbus_cast<QVariantMap>(arguments[1]);
    if (interface == kStatistics) {
        if (message.path() != watched_.device) return;
        if (changed.contains(QStringLiteral("RxBytes")))
            statsRx_ = changed.value(QStringLiteral("RxBytes")).toULongLong();
        if (changed.contains(QStringLiteral("TxBytes")))
            statsTx_ = changed.value(QStringLiteral("TxBytes")).toULongLong();
        statsSignalled_ = true;
        return;
    }
    // Access points and the like change often and never concern the watched connection.
    if ((interface == kManager && changed.contains(QStringLiteral("ActiveConnections"))) ||
        interface == kActive || (interface == kDevice && message.path() == watched_.device))
        dirty_ = true;
}

void NetworkManagerLink::OnStateChanged(const QDBusMessage&) {
    dirty_ = true;
}

QVariantMap NetworkManagerLink::GetAll(const QString& service, const QString& path,
                                       const QString& interface) const {
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, kProperties, QStringLiteral("GetAll"));
    call << interface;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return qdbus_cast<QVariantMap>(reply.arguments().first());
}

QVariant NetworkManagerLink::Get(const QString& service, const QString& path,
                                 const QString& interface, const QString& name) const {
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, kProperties, QStringLiteral("Get"));
    call << interface << name;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
    return qdbus_cast<QDBusVariant>(reply.arguments().first()).variant();
}

void NetworkManagerLink::RefreshIfStale() {
    if (dirty_ || clock_.ElapsedMs() - refreshedMs_ >= kRescanMs) Refresh();
}

void NetworkManagerLink::Refresh() {
    dirty_ = false;
    refreshedMs_ = clock_.ElapsedMs();
    Watched found;
    const auto actives = qdbus_cast<QList<QDBusObjectPath>>(
        Get(kService, kManagerPath, kManager, QStringLiteral("ActiveConnections")));
    for (const QDBusObjectPath& path : actives) {
        const QVariantMap active = GetAll(kService, path.path(), kActive);
        if (active.isEmpty()) continue;
        const QString devicePath = FirstPath(active.value(QStringLiteral("Devices")));
        const QVariantMap device =
            devicePath.isEmpty() ? QVariantMap() : GetAll(kService, devicePath, kDevice);
        if (!Chooses(active, device)) continue;
        found.path = path.path();
        found.id = active.value(QStringLiteral("Id")).toString();
        found.state = active.value(QStringLiteral("State")).toUInt();
        found.device = devicePath;
        ReadDevice(found, device);
        break;
    }
    watched_ = found;
    Track(found);
}

bool NetworkManagerLink::Chooses(const QVariantMap& active, const QVariantMap& device) const {
    if (!wantedId_.isEmpty()) return active.value(QStringLiteral("Id")).toString() == wantedId_;
    if (IsRemoteAccessKind(active.value(QStringLiteral("Type")).toString())) return true;
    if (IsMetered(device.value(QStringLiteral("Metered")).toUInt())) return true;
    return ProfileIsMetered(
        qdbus_cast<QDBusObjectPath>(active.value(QStringLiteral("Connection"))).path());
}

bool NetworkManagerLink::ProfileIsMetered(const QString& profilePath) const {
    if (profilePath.isEmpty() || profilePath == u"/") return false;
    const QDBusMessage call = QDBusMessage::createMethodCall(kService, profilePath, kProfile,
                                                             QStringLiteral("GetSettings"));
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
    const auto settings = qdbus_cast<QMap<QString, QVariantMap>>(reply.arguments().first());
    const QVariant metered =
        settings.value(QStringLiteral("connection")).value(QStringLiteral("metered"));
    return metered.isValid() && IsMetered(metered.toUInt());
}

void NetworkManagerLink::ReadDevice(Watched& watched, const QVariantMap& device) const {
    watched.ipInterface = device.value(QStringLiteral("IpInterface")).toString();
    if (watched.ipInterface.isEmpty())
        watched.ipInterface = device.value(QStringLiteral("Interface")).toString();
    watched.deviceType = device.value(QStringLiteral("DeviceType")).toUInt();
    if (watched.deviceType == kEthernet) {
        const uint megabits =
            Get(kService, watched.device, kWired, QStringLiteral("Speed")).toUInt();
        watched.bps = static_cast<uint64_t>(megabits) * 1000000u;
    } else if (watched.deviceType == kWifi) {
        const uint kilobits =
            Get(kService, watched.device, kWireless, QStringLiteral("Bitrate")).toUInt();
        watched.bps = static_cast<uint64_t>(kilobits) * 1000u;
    } else if (watched.deviceType == kModemDevice) {
        ReadModem(watched, device.value(QStringLiteral("Udi")).toString());
    }
}

// ModemManager's connected bearer gives the negotiated speed and when the call began.
void NetworkManagerLink::ReadModem(Watched& watched, const QString& modemPath) const {
    if (!modemPath.startsWith(QLatin1String("/org/freedesktop/ModemManager1/"))) return;
    const auto bearers = qdbus_cast<QList<QDBusObjectPath>>(
        Get(kModemService, modemPath, kModem, QStringLiteral("Bearers")));
    for (const QDBusObjectPath& bearer : bearers) {
        const QVariantMap properties = GetAll(kModemService, bearer.path(), kBearer);
        if (!properties.value(QStringLiteral("Connected")).toBool()) continue;
        const auto stats = qdbus_cast<QVariantMap>(properties.value(QStringLiteral("Stats")));
        const uint64_t down = stats.value(QStringLiteral("downlink-speed")).toULongLong();
        watched.bps = down ? down : stats.value(QStringLiteral("uplink-speed")).toULongLong();
        if (stats.contains(QStringLiteral("start-date"))) {
            const qint64 ageMs =
                QDateTime::currentSecsSinceEpoch() * 1000 -
                static_cast<qint64>(stats.value(QStringLiteral("start-date")).toULongLong()) * 1000;
            watched.modemStartMs = clock_.ElapsedMs() - std::max<qint64>(ageMs, 0);
        }
        return;
    }
}

// Time online and the counters' baseline start when the connection is first seen ACTIVATED.
void NetworkManagerLink::Track(const Watched& watched) {
    if (watched.path != trackedPath_) {
        trackedPath_ = watched.path;
        started_ = false;
        statsSignalled_ = false;
        statsReadMs_ = -1;
    }
    if (started_ || watched.path.isEmpty() || watched.state != kActivated) return;
    started_ = true;
    startMs_ = watched.modemStartMs >= 0 ? watched.modemStartMs : clock_.ElapsedMs();
    baselineRx_ = baselineTx_ = 0;
    // ppp and modem interfaces are new with each call and count from zero; Wi-Fi and
    // Ethernet count since boot, so their figures at activation are the zero point.
    uint64_t rx = 0, tx = 0;
    if (!CreatedWithConnection(watched.deviceType, watched.ipInterface) && ReadCounters(&rx, &tx)) {
        baselineRx_ = rx;
        baselineTx_ = tx;
    }
}

bool NetworkManagerLink::ReadCounters(uint64_t* rx, uint64_t* tx) {
    if (!watched_.ipInterface.isEmpty()) {
        auto fileRx = rxFile_.ReadCounter(), fileTx = txFile_.ReadCounter();
        if (!fileRx || !fileTx || countersOf_ != watched_.ipInterface) {
            // A new interface, or the old one has gone and come back (a new ppp0).
            const QString folder =
                sysClassNet_ + u'/' + watched_.ipInterface + QStringLiteral("/statistics/");
            countersOf_ = watched_.ipInterface;
            rxFile_ = OpenSmallFile(folder + QStringLiteral("rx_bytes"));
            txFile_ = OpenSmallFile(folder + QStringLiteral("tx_bytes"));
            fileRx = rxFile_.ReadCounter();
            fileTx = txFile_.ReadCounter();
        }
        if (fileRx && fileTx) {
            *rx = *fileRx;
            *tx = *fileTx;
            return true;
        }
    }
    const int64_t now = clock_.ElapsedMs();
    if (!statsSignalled_ && (statsReadMs_ < 0 || now - statsReadMs_ >= kStatisticsPollMs)) {
        const QVariantMap statistics = GetAll(kService, watched_.device, kStatistics);
        if (!statistics.isEmpty()) {
            statsRx_ = statistics.value(QStringLiteral("RxBytes")).toULongLong();
            statsTx_ = statistics.value(QStringLiteral("TxBytes")).toULongLong();
            statsReadMs_ = now;
        }
    }
    *rx = statsRx_;
    *tx = statsTx_;
    return statsSignalled_ || statsReadMs_ >= 0;
}

bool NetworkManagerLink::IsLinkConnected() {
    RefreshIfStale();
    return !watched_.path.isEmpty() && watched_.state == kActivated;
}

LinkStats NetworkManagerLink::GetLinkStats() {
    if (!IsLinkConnected() || !started_) return {};
    uint64_t rx = 0, tx = 0;
    ReadCounters(&rx, &tx);
    LinkStats stats;
    // Counters below the baseline mean the interface was made anew: they count from zero.
    stats.dwBytesRcved = rx >= baselineRx_ ? rx - baselineRx_ : rx;
    stats.dwBytesXmited = tx >= baselineTx_ ? tx - baselineTx_ : tx;
    stats.dwBps = watched_.bps;
    stats.dwConnectDuration =
        static_cast<uint64_t>(std::max<int64_t>(clock_.ElapsedMs() - startMs_, 0));
    return stats;
}

QString NetworkManagerLink::GetLinkName() {
    RefreshIfStale();
    return watched_.path.isEmpty() ? kNoLinkName : watched_.id;
}

QString NetworkManagerLink::GetLinkInterface() {
    RefreshIfStale();
    return watched_.ipInterface;
}

void NetworkManagerLink::HangUpLink() {
    RefreshIfStale();
    if (watched_.path.isEmpty()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kManagerPath, kManager,
                                                       QStringLiteral("DeactivateConnection"));
    call << QVariant::fromValue(QDBusObjectPath(watched_.path));
    bus_.send(call);  // returns at once; the state change arrives as a signal
    dirty_ = true;
}
