// SPDX-License-Identifier: GPL-3.0-or-later
// The program's figures over D-Bus: one GetAll, then PropertiesChanged as they come.
#include "tools/vantoril-status/MeterReader.h"

#include "core/Logging.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>

namespace {
const QString kService = QStringLiteral("org.example.Vantoril");
const QString kPath = QStringLiteral("/org/example/Vantoril");
const QString kMeter = QStringLiteral("org.example.Vantoril.Meter");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr int kAnswerWithinMs = 1000;  // a hung program must not hang the panel
}  // namespace

MeterReader::MeterReader(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    // The bus's own thread queues a failed call's error and message to this thread: without
    // their types known, Qt warns on every read while the program is not running.
    qRegisterMetaType<QDBusError>();
    qRegisterMetaType<QDBusMessage>();
}

std::optional<QVariantMap> MeterReader::ReadAll() {
    if (!bus_.isConnected()) return std::nullopt;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kProperties, QStringLiteral("GetAll"));
    call << kMeter;
    call.setAutoStartService(false);  // only a program that runs is asked
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kAnswerWithinMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCDebug(lcBus) << "GetAll of" << kService << "unanswered:" << reply.errorName()
                       << reply.errorMessage();
        return std::nullopt;
    }
    const QVariant answer = reply.arguments().first();
    if (!answer.canConvert<QDBusArgument>()) return std::nullopt;
    return qdbus_cast<QVariantMap>(answer.value<QDBusArgument>());
}

std::optional<QVariantMap> MeterReader::Follow() {
    if (watcher_ || !bus_.isConnected()) return ReadAll();
    // Listening starts before the first read, so no change falls between the two.
    bus_.connect(kService, kPath, kProperties, QStringLiteral("PropertiesChanged"), this,
                 SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList)));
    // libdbus's own word that the connection is gone; nothing else would ever come.
    bus_.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                 QStringLiteral("org.freedesktop.DBus.Local"), QStringLiteral("Disconnected"), this,
                 SIGNAL(busLost()));
    watcher_ =
        new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (newOwner.isEmpty()) {
                    known_.reset();
                    Q_EMIT stopped();
                } else {
                    ReadAgain();
                }
            });
    known_ = ReadAll();
    return known_;
}

void MeterReader::ReadAgain() {
    known_ = ReadAll();
    if (known_) Q_EMIT changed(*known_);
}

void MeterReader::OnPropertiesChanged(const QString& interface,
                                      const QVariantMap& changedProperties,
                                      const QStringList& invalidated) {
    if (interface != kMeter) return;
    if (!known_ || !invalidated.isEmpty()) return ReadAgain();
    for (auto it = changedProperties.begin(); it != changedProperties.end(); ++it)
        known_->insert(it.key(), it.value());
    Q_EMIT changed(*known_);
}
