// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the watched connection among NetworkManager's objects with asynchronous calls.
#include "link/NetworkManagerScan.h"

#include "core/Logging.h"
#include "link/MonotonicClock.h"
#include "link/NetworkManagerNames.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDateTime>

#include <algorithm>

namespace {

using namespace dbusnames;

// Nobody waits for the answer; a hung service only delays the next look.
constexpr int kCallTimeoutMs = 5000;

// Device types: Ethernet 1, Wi-Fi 2, modem 8, ADSL 12, TUN 16, PPP 23, WireGuard 29.
constexpr uint kEthernet = 1, kWifi = 2, kModemDevice = 8;
// Active connection states.
constexpr uint kActivating = 1, kActivated = 2;

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

QString ProfilePath(const QVariantMap& active) {
    return qdbus_cast<QDBusObjectPath>(active.value(QStringLiteral("Connection"))).path();
}

}  // namespace

NetworkManagerScan::NetworkManagerScan(QDBusConnection bus, QString wantedId, QString watchedPath,
                                       const MonotonicClock& clock, Done done, QObject* parent)
    : QObject(parent),
      bus_(std::move(bus)),
      wantedId_(std::move(wantedId)),
      watchedPath_(std::move(watchedPath)),
      clock_(clock),
      done_(std::move(done)) {
    Get(kService, kManagerPath, kManager, QStringLiteral("ActiveConnections"),
        [this](const QVariant& value) {
            const auto paths = qdbus_cast<QList<QDBusObjectPath>>(value);
            qCDebug(lcLink) << "NetworkManager: active connections" << paths.size();
            for (const QDBusObjectPath& path : paths) candidates_.push_back({path.path(), {}, {}});
            for (size_t i = 0; i < candidates_.size(); ++i) LoadCandidate(i);
        });
}

bool NetworkManagerScan::CreatedWithConnection(uint deviceType, const QString& ipInterface) {
    const uint types[] = {kModemDevice, 12, 16, 23, 29};
    return std::find(std::begin(types), std::end(types), deviceType) != std::end(types) ||
           ipInterface.startsWith(QLatin1String("ppp"));
}

void NetworkManagerScan::Call(const QString& service, const QString& path, const QString& interface,
                              const QString& method, const QVariantList& arguments,
                              std::function<void(const QDBusMessage&)> then) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    ++pending_;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, then = std::move(then), path, method](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusMessage reply = finished->reply();
                if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
                    then(reply);
                else
                    qCDebug(lcLink) << "D-Bus" << method << path << "failed:" << reply.errorName()
                                    << reply.errorMessage();
                if (--pending_ == 0) choosing_ ? Choose() : Deliver();
            });
}

void NetworkManagerScan::GetAll(const QString& service, const QString& path,
                                const QString& interface,
                                std::function<void(const QVariantMap&)> then) {
    Call(service, path, kProperties, QStringLiteral("GetAll"), {interface},
         [then = std::move(then)](const QDBusMessage& reply) {
             then(qdbus_cast<QVariantMap>(reply.arguments().first()));
         });
}

void NetworkManagerScan::Get(const QString& service, const QString& path, const QString& interface,
                             const QString& name, std::function<void(const QVariant&)> then) {
    Call(service, path, kProperties, QStringLiteral("Get"), {interface, name},
         [then = std::move(then)](const QDBusMessage& reply) {
             then(qdbus_cast<QDBusVariant>(reply.arguments().first()).variant());
         });
}

void NetworkManagerScan::LoadCandidate(size_t index) {
    GetAll(kService, candidates_[index].path, kActive, [this, index](const QVariantMap& active) {
        candidates_[index].active = active;
        const QString device = FirstPath(active.value(QStringLiteral("Devices")));
        if (device.isEmpty()) return AskProfile(index);
        GetAll(kService, device, kDevice, [this, index](const QVariantMap& properties) {
            candidates_[index].device = properties;
            AskProfile(index);
        });
    });
}

// Only asked when nothing else has chosen the connection already.
void NetworkManagerScan::AskProfile(size_t index) {
    const Candidate& candidate = candidates_[index];
    const QString profile = ProfilePath(candidate.active);
    if (!wantedId_.isEmpty() || Chooses(candidate) || profile.isEmpty() || profile == u"/") return;
    Call(kService, profile, kProfile, QStringLiteral("GetSettings"), {},
         [this, index](const QDBusMessage& reply) {
             const auto settings =
                 qdbus_cast<QMap<QString, QVariantMap>>(reply.arguments().first());
             const QVariant metered =
                 settings.value(QStringLiteral("connection")).value(QStringLiteral("metered"));
             candidates_[index].profileMetered = metered.isValid() && IsMetered(metered.toUInt());
         });
}

bool NetworkManagerScan::Chooses(const Candidate& candidate) const {
    const QVariantMap& active = candidate.active;
    if (!wantedId_.isEmpty()) return active.value(QStringLiteral("Id")).toString() == wantedId_;
    return IsRemoteAccessKind(active.value(QStringLiteral("Type")).toString()) ||
           IsMetered(candidate.device.value(QStringLiteral("Metered")).toUInt()) ||
           candidate.profileMetered;
}

void NetworkManagerScan::Choose() {
    choosing_ = false;
    auto chosen = std::find_if(candidates_.begin(), candidates_.end(), [this](const Candidate& c) {
        const uint state = c.active.value(QStringLiteral("State")).toUInt();
        return c.path == watchedPath_ && (state == kActivating || state == kActivated) &&
               Chooses(c);
    });
    if (chosen == candidates_.end())
        chosen = std::find_if(candidates_.begin(), candidates_.end(),
                              [this](const Candidate& c) { return Chooses(c); });
    for (const Candidate& c : candidates_)
        qCDebug(lcLink).nospace() << "NetworkManager: " << c.path
                                  << " Id=" << c.active.value("Id").toString()
                                  << " Type=" << c.active.value("Type").toString()
                                  << " State=" << c.active.value("State").toUInt()
                                  << " device Metered=" << c.device.value("Metered").toUInt()
                                  << " profile metered=" << c.profileMetered
                                  << (chosen != candidates_.end() && &c == &*chosen
                                          ? " -> watched"
                                          : " -> not watched");
    if (chosen == candidates_.end()) {
        qCDebug(lcLink) << "NetworkManager: no active connection is metered or of a "
                           "remote-access kind"
                        << (wantedId_.isEmpty() ? QString() : u"or named " + wantedId_);
        return Deliver();
    }
    const QVariantMap& active = chosen->active;
    const QVariantMap& device = chosen->device;
    found_.path = chosen->path;
    found_.id = active.value(QStringLiteral("Id")).toString();
    found_.state = active.value(QStringLiteral("State")).toUInt();
    found_.device = FirstPath(active.value(QStringLiteral("Devices")));
    found_.ipInterface = device.value(QStringLiteral("IpInterface")).toString();
    if (found_.ipInterface.isEmpty())
        found_.ipInterface = device.value(QStringLiteral("Interface")).toString();
    found_.deviceType = device.value(QStringLiteral("DeviceType")).toUInt();
    modem_ = device.value(QStringLiteral("Udi")).toString();
    found_.profile = ProfilePath(active);
    if (found_.profile == u"/") found_.profile.clear();
    found_.metered = device.value(QStringLiteral("Metered")).toUInt();
    if (found_.deviceType == kModemDevice &&
        modem_.startsWith(QLatin1String("/org/freedesktop/ModemManager1/")))
        found_.modem = modem_;
    AskDetails();
    if (pending_ == 0) Deliver();
}

// The speed, the modem's start of the call and the device's counters.
void NetworkManagerScan::AskDetails() {
    if (found_.device.isEmpty()) return;
    GetAll(kService, found_.device, kStatistics, [this](const QVariantMap& statistics) {
        if (statistics.isEmpty()) return;
        found_.statistics.emplace(statistics.value(QStringLiteral("RxBytes")).toULongLong(),
                                  statistics.value(QStringLiteral("TxBytes")).toULongLong());
    });
    if (found_.deviceType == kEthernet) {
        Get(kService, found_.device, kWired, QStringLiteral("Speed"), [this](const QVariant& v) {
            found_.bps = static_cast<uint64_t>(v.toUInt()) * 1000000u;  // megabits
        });
    } else if (found_.deviceType == kWifi) {
        Get(kService, found_.device, kWireless, QStringLiteral("Bitrate"),
            [this](const QVariant& v) {
                found_.bps = static_cast<uint64_t>(v.toUInt()) * 1000u;  // kilobits
            });
    } else if (found_.deviceType == kModemDevice) {
        if (!modem_.startsWith(QLatin1String("/org/freedesktop/ModemManager1/"))) return;
        Get(kModemService, modem_, kModem, QStringLiteral("Bearers"), [this](const QVariant& v) {
            const auto paths = qdbus_cast<QList<QDBusObjectPath>>(v);
            bearers_.resize(size_t(paths.size()));
            for (size_t i = 0; i < bearers_.size(); ++i)
                GetAll(kModemService, paths[int(i)].path(), kBearer,
                       [this, i](const QVariantMap& bearer) { bearers_[i] = bearer; });
        });
    }
}

// ModemManager's connected bearer gives the negotiated speed and when the call began.
void NetworkManagerScan::Deliver() {
    const auto connected = std::find_if(bearers_.begin(), bearers_.end(), [](const QVariantMap& b) {
        return b.value(QStringLiteral("Connected")).toBool();
    });
    if (connected != bearers_.end()) {
        const auto stats = qdbus_cast<QVariantMap>(connected->value(QStringLiteral("Stats")));
        const uint64_t down = stats.value(QStringLiteral("downlink-speed")).toULongLong();
        found_.bps = down ? down : stats.value(QStringLiteral("uplink-speed")).toULongLong();
        if (stats.contains(QStringLiteral("start-date"))) {
            const qint64 ageMs =
                QDateTime::currentSecsSinceEpoch() * 1000 -
                static_cast<qint64>(stats.value(QStringLiteral("start-date")).toULongLong()) * 1000;
            found_.modemStartMs = clock_.ElapsedMs() - std::max<qint64>(ageMs, 0);
        }
    }
    if (!found_.path.isEmpty())
        qCDebug(lcLink) << "NetworkManager: watching" << found_.id << "state" << found_.state
                        << "interface" << found_.ipInterface << "type" << found_.deviceType << "bps"
                        << found_.bps;
    done_(found_);
}
