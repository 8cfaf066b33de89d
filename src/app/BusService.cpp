// SPDX-License-Identifier: GPL-3.0-or-later
// The session bus service: its object, its adaptors and the second start's request.
#include "app/BusService.h"

#include "MeterAdaptor.h"
#include "ProgramAdaptor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {
const QString kProgramInterface = QStringLiteral("org.example.Vantoril");
constexpr int kAnswerWithinMs = 1000;  // a hung first instance must not hold up the second
}  // namespace

const QString BusService::kMeterInterface = QStringLiteral("org.example.Vantoril.Meter");
const QString BusService::kServiceName = QStringLiteral("org.example.Vantoril");
const QString BusService::kObjectPath = QStringLiteral("/org/example/Vantoril");

BusService::BusService(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    new ProgramAdaptor(this);
    new MeterAdaptor(this);
}

BusService::~BusService() {
    if (!registered_) return;
    bus_.unregisterService(kServiceName);
    bus_.unregisterObject(kObjectPath);
}

bool BusService::Register(QString* error) {
    if (!bus_.isConnected()) {
        if (error) *error = QStringLiteral("no session bus");
        return false;
    }
    if (!bus_.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) {
        if (error) *error = QStringLiteral("the object path is taken");
        return false;
    }
    // Never queued behind another owner: a second program must not take over later.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus_.interface()->registerService(kServiceName, QDBusConnectionInterface::DontQueueService,
                                          QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus_.unregisterObject(kObjectPath);
        if (error)
            *error =
                reply.isValid() ? QStringLiteral("the name is taken") : reply.error().message();
        return false;
    }
    registered_ = true;
    return true;
}

bool BusService::AskToShowSettings(const QDBusConnection& bus) {
    if (!bus.isConnected()) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kServiceName, kObjectPath, kProgramInterface,
                                                       QStringLiteral("ShowSettings"));
    call.setAutoStartService(false);  // only a program that runs is asked
    return bus.call(call, QDBus::Block, kAnswerWithinMs).type() == QDBusMessage::ReplyMessage;
}

void BusService::ShowSettings() {
    Q_EMIT showSettingsRequested();
}

void BusService::ShowIndicator() {
    Q_EMIT showIndicatorRequested();
}

void BusService::ShowHistory() {
    Q_EMIT showHistoryRequested();
}

void BusService::Publish(const MeterFigures& figures) {
    const QVariantMap changed = ChangedMeterProperties(figures_, figures);
    if (changed.isEmpty()) return;
    figures_ = figures;
    if (!registered_) return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kMeterInterface << changed << QStringList();
    bus_.send(signal);
}
