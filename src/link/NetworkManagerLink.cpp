// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the watched connection's state from NetworkManager's signals and answers.
#include "link/NetworkManagerLink.h"

#include "core/Logging.h"
#include "link/MonotonicClock.h"
#include "link/NetworkManagerNames.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>

#include <algorithm>

namespace {

using namespace dbusnames;

constexpr uint kActivated = 2;
constexpr int64_t kRescanMs = 3000;  // in case a signal was missed
constexpr int64_t kStatisticsPollMs = 1000;
constexpr int kStatisticsTimeoutMs = 5000;

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
    Scan();
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
        statsKnown_ = statsSignalled_ = true;
        return;
    }
    // Access points and the like change often and never concern the watched connection.
    if ((interface == kManager && changed.contains(QStringLiteral("ActiveConnections"))) ||
        interface == kActive || (interface == kDevice && message.path() == watched_.device)) {
        dirty_ = true;
        Scan();
    }
}

void NetworkManagerLink::OnStateChanged(const QDBusMessage&) {
    dirty_ = true;
    Scan();
}

void NetworkManagerLink::ScanIfStale() {
    if (dirty_ || clock_.ElapsedMs() - scannedMs_ >= kRescanMs) Scan();
}

// One look at a time; a change signalled meanwhile leaves the link dirty for the next one.
void NetworkManagerLink::Scan() {
    if (scan_) return;
    dirty_ = false;
    scannedMs_ = clock_.ElapsedMs();
    scan_ = new NetworkManagerScan(
        bus_, wantedId_, watched_.path, clock_,
        [this](const NetworkManagerConnection& found) {
            scan_->deleteLater();
            scan_ = nullptr;
            Apply(found);
        },
        this);
}

void NetworkManagerLink::Apply(const NetworkManagerConnection& found) {
    if (found.path != watched_.path)
        qCDebug(lcLink) << "NetworkManager: the watched connection is now"
                        << (found.path.isEmpty() ? kNoLinkName : found.id);
    watched_ = found;
    if (watched_.path != trackedPath_) {
        trackedPath_ = watched_.path;
        started_ = false;
        statsKnown_ = statsSignalled_ = false;
        statsAskedMs_ = -1;
    }
    if (found.statistics && !statsSignalled_) {
        statsRx_ = found.statistics->first;
        statsTx_ = found.statistics->second;
        statsKnown_ = true;
        statsAskedMs_ = clock_.ElapsedMs();
    }
    Track();
}

// Time online and the counters' baseline start when the connection is first seen ACTIVATED.
void NetworkManagerLink::Track() {
    if (started_ || watched_.path.isEmpty() || watched_.state != kActivated) return;
    started_ = true;
    startMs_ = watched_.modemStartMs >= 0 ? watched_.modemStartMs : clock_.ElapsedMs();
    baselineRx_ = baselineTx_ = 0;
    // ppp and modem interfaces are new with each call and count from zero; Wi-Fi and
    // Ethernet count since boot, so their figures at activation are the zero point.
    uint64_t rx = 0, tx = 0;
    if (!NetworkManagerScan::CreatedWithConnection(watched_.deviceType, watched_.ipInterface) &&
        ReadCounters(&rx, &tx)) {
        baselineRx_ = rx;
        baselineTx_ = tx;
    }
}

// The device's Statistics, asked without waiting: the answer serves the next ticks.
void NetworkManagerLink::AskStatistics() {
    if (statsCall_ || watched_.device.isEmpty()) return;
    statsAskedMs_ = clock_.ElapsedMs();
    QDBusMessage call = QDBusMessage::createMethodCall(kService, watched_.device, kProperties,
                                                       QStringLiteral("GetAll"));
    call << kStatistics;
    statsCall_ = new QDBusPendingCallWatcher(bus_.asyncCall(call, kStatisticsTimeoutMs), this);
    connect(statsCall_, &QDBusPendingCallWatcher::finished, this,
            [this, device = watched_.device](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusMessage reply = finished->reply();
                if (device != watched_.device || reply.type() != QDBusMessage::ReplyMessage ||
                    reply.arguments().isEmpty())
                    return;
                const auto statistics = qdbus_cast<QVariantMap>(reply.arguments().first());
                if (statistics.isEmpty()) return;
                statsRx_ = statistics.value(QStringLiteral("RxBytes")).toULongLong();
                statsTx_ = statistics.value(QStringLiteral("TxBytes")).toULongLong();
                statsKnown_ = true;
            });
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
    if (!statsSignalled_ &&
        (statsAskedMs_ < 0 || clock_.ElapsedMs() - statsAskedMs_ >= kStatisticsPollMs))
        AskStatistics();
    *rx = statsRx_;
    *tx = statsTx_;
    return statsKnown_;
}

bool NetworkManagerLink::IsLinkConnected() {
    ScanIfStale();
    return !watched_.path.isEmpty() && watched_.state == kActivated;
}

LinkStats NetworkManagerLink::GetLinkStats() {
    if (!IsLinkConnected() || !started_) return {};
    uint64_t rx = 0, tx = 0;
    ReadCounters(&rx, &tx);
    LinkStats stats;
    // Counters below the baseline mean the interface was made anew: they count from zero.
    stats.bytesReceived = rx >= baselineRx_ ? rx - baselineRx_ : rx;
    stats.bytesSent = tx >= baselineTx_ ? tx - baselineTx_ : tx;
    stats.bitsPerSecond = watched_.bps;
    stats.connectedMs = static_cast<uint64_t>(std::max<int64_t>(clock_.ElapsedMs() - startMs_, 0));
    numbers_.Stamp(watched_.path, stats);
    return stats;
}

QString NetworkManagerLink::GetLinkName() {
    ScanIfStale();
    return watched_.path.isEmpty() ? kNoLinkName : watched_.id;
}

QString NetworkManagerLink::GetLinkInterface() {
    ScanIfStale();
    return watched_.ipInterface;
}

void NetworkManagerLink::EndConnection() {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kManagerPath, kManager,
                                                       QStringLiteral("DeactivateConnection"));
    call << QVariant::fromValue(QDBusObjectPath(watched_.path));
    bus_.send(call);  // returns at once; the state change arrives as a signal
    dirty_ = true;
}
