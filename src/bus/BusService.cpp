// SPDX-License-Identifier: GPL-3.0-or-later
// The session bus service: its object, the calls it answers, the readers it announces to.
#include "bus/BusService.h"

#include "core/Logging.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QFile>
#include <QHash>

#include <utility>

namespace {
const QString kProgramInterface = QStringLiteral("org.example.Vantoril");
const QString kPropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
constexpr int kAnswerWithinMs = 1000;  // a hung first instance must not hold up the second

// The <interface> elements of one of the introspection files built into the program.
QString InterfaceElements(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString xml = QString::fromUtf8(file.readAll());
    const QLatin1String endTag("</interface>");
    const qsizetype begin = xml.indexOf(QLatin1String("<interface"));
    const qsizetype end = xml.lastIndexOf(endTag);
    if (begin < 0 || end < begin) return {};
    return xml.mid(begin, end + endTag.size() - begin) + QLatin1Char('\n');
}

void Answer(const QDBusConnection& connection, const QDBusMessage& call,
            const QDBusMessage& answer) {
    if (call.isReplyRequired()) connection.send(answer);
}

// A known method called with arguments of the wrong types or number.
void AnswerWrongArguments(const QDBusConnection& connection, const QDBusMessage& call,
                          const QString& expected) {
    Answer(connection, call,
           call.createErrorReply(QDBusError::InvalidArgs,
                                 QStringLiteral("%1 takes the signature \"%2\", not \"%3\"")
                                     .arg(call.member(), expected, call.signature())));
}

bool Refuse(QString* error, const QString& why) {
    qCDebug(lcBus) << "not serving" << kProgramInterface << "on the session bus:" << why;
    if (error) *error = why;
    return false;
}
}  // namespace

const QString BusService::kMeterInterface = QStringLiteral("org.example.Vantoril.Meter");
const QString BusService::kServiceName = QStringLiteral("org.example.Vantoril");
const QString BusService::kObjectPath = QStringLiteral("/org/example/Vantoril");

BusService::BusService(QDBusConnection bus, FigureSource figures, QObject* parent)
    : QDBusVirtualObject(parent),
      bus_(std::move(bus)),
      figures_(std::move(figures)),
      changed_(kObjectPath, kMeterInterface),
      readerWatch_(new QDBusServiceWatcher(this)) {
    readerWatch_->setConnection(bus_);
    readerWatch_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(readerWatch_, &QDBusServiceWatcher::serviceUnregistered, this, &BusService::Forget);
}

BusService::~BusService() {
    if (!registered_) return;
    bus_.unregisterService(kServiceName);
    bus_.unregisterObject(kObjectPath);
}

bool BusService::Register(QString* error) {
    if (!bus_.isConnected()) return Refuse(error, QStringLiteral("no session bus"));
    if (!bus_.registerVirtualObject(kObjectPath, this))
        return Refuse(error, QStringLiteral("the object path is taken"));
    // Never queued behind another owner: a second program must not take over later.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus_.interface()->registerService(kServiceName, QDBusConnectionInterface::DontQueueService,
                                          QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus_.unregisterObject(kObjectPath);
        return Refuse(
            error, reply.isValid() ? QStringLiteral("the name is taken") : reply.error().message());
    }
    qCDebug(lcBus) << "serving" << kServiceName << "as" << bus_.baseService();
    registered_ = true;
    return true;
}

bool BusService::AskToShowSettings(const QDBusConnection& bus) {
    return AskRunningProgram(bus, QStringLiteral("ShowSettings"));
}

bool BusService::AskRunningProgram(const QDBusConnection& bus, const QString& method) {
    if (!bus.isConnected()) return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kServiceName, kObjectPath, kProgramInterface, method);
    call.setAutoStartService(false);  // only a program that runs is asked
    const QDBusMessage answer = bus.call(call, QDBus::Block, kAnswerWithinMs);
    qCDebug(lcBus) << "the running program asked for" << method << answer.errorName()
                   << answer.errorMessage();
    return answer.type() == QDBusMessage::ReplyMessage;
}

QString BusService::introspect(const QString&) const {
    static const QString interfaces =
        InterfaceElements(QStringLiteral(":/dbus/org.example.Vantoril.xml")) +
        InterfaceElements(QStringLiteral(":/dbus/org.example.Vantoril.Meter.xml"));
    return interfaces;
}

// What is not answered here (introspection, ping, unknown methods) Qt answers.
bool BusService::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    qCDebug(lcBus) << message.service() << "calls" << message.interface() << message.member()
                   << message.arguments();
    if (message.interface() == kPropertiesInterface) return AnswerProperties(message, connection);
    return AnswerRequest(message, connection);
}

bool BusService::AnswerRequest(const QDBusMessage& message, const QDBusConnection& connection) {
    if (!message.interface().isEmpty() && message.interface() != kProgramInterface) return false;
    static const std::pair<const char*, void (BusService::*)()> kRequests[] = {
        {"ShowSettings", &BusService::showSettingsRequested},
        {"ShowIndicator", &BusService::showIndicatorRequested},
        {"ShowHistory", &BusService::showHistoryRequested},
        {"ShowStatistics", &BusService::showStatisticsRequested},
        {"Quit", &BusService::quitRequested},
    };
    for (const auto& [name, request] : kRequests) {
        if (message.member() != QLatin1String(name)) continue;
        if (!message.signature().isEmpty()) {
            AnswerWrongArguments(connection, message, QString());
            return true;
        }
        Answer(connection, message, message.createReply());  // before any window opens
        Q_EMIT(this->*request)();
        return true;
    }
    return false;
}

bool BusService::AnswerProperties(const QDBusMessage& message, const QDBusConnection& connection) {
    const QString member = message.member();
    const QString signature = message.signature();
    static const QHash<QString, QString> kSignatures = {
        {QStringLiteral("GetAll"), QStringLiteral("s")},
        {QStringLiteral("Get"), QStringLiteral("ss")},
        {QStringLiteral("Set"), QStringLiteral("ssv")}};
    if (!kSignatures.contains(member)) return false;
    if (signature != kSignatures.value(member)) {
        AnswerWrongArguments(connection, message, kSignatures.value(member));
        return true;
    }
    const QVariantList arguments = message.arguments();
    const QString interface = arguments.value(0).toString();
    const QString name = arguments.value(1).toString();
    const bool meter = interface.isEmpty() || interface == kMeterInterface;
    if (!meter && interface != kProgramInterface) {
        Answer(connection, message,
               message.createErrorReply(QDBusError::UnknownInterface,
                                        QStringLiteral("No interface %1 here").arg(interface)));
        return true;
    }
    const auto unknownProperty = [&] {
        return message.createErrorReply(QDBusError::UnknownProperty,
                                        QStringLiteral("No property %1 here").arg(name));
    };
    if (member == QLatin1String("GetAll")) {
        const QVariantMap all = meter ? MeterProperties(ReadBy(message.service())) : QVariantMap();
        Answer(connection, message, message.createReply(all));
    } else if (member == QLatin1String("Get")) {
        const QVariant value =
            meter ? MeterProperties(ReadBy(message.service())).value(name) : QVariant();
        Answer(connection, message,
               value.isValid() ? message.createReply(QVariant::fromValue(QDBusVariant(value)))
                               : unknownProperty());
    } else {
        Answer(connection, message,
               meter && MeterProperties({}).contains(name)
                   ? message.createErrorReply(QDBusError::PropertyReadOnly,
                                              QStringLiteral("%1 is read-only").arg(name))
                   : unknownProperty());
    }
    return true;
}

// A client that reads is taken to follow the changes until it leaves the bus.
MeterFigures BusService::ReadBy(const QString& reader) {
    const MeterFigures now = figures_();
    if (reader.isEmpty() || readers_.contains(reader)) return now;
    if (readers_.isEmpty()) announced_ = now;
    qCDebug(lcBus) << reader << "read the figures: changes are announced until it leaves";
    readers_.insert(reader);
    readerWatch_->addWatchedService(reader);
    // One that left before the watch began would be announced to for ever: ask once.
    auto* call = new QDBusPendingCallWatcher(
        bus_.interface()->asyncCall(QStringLiteral("NameHasOwner"), reader), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, reader](QDBusPendingCallWatcher* answer) {
                answer->deleteLater();
                const QDBusPendingReply<bool> owned = *answer;
                if (!owned.isError() && !owned.value()) Forget(reader);
            });
    return now;
}

void BusService::Forget(const QString& reader) {
    qCDebug(lcBus) << reader << "left the bus: no more changes announced to it";
    readers_.remove(reader);
    readerWatch_->removeWatchedService(reader);
}

bool BusService::Publish() {
    if (!registered_ || readers_.isEmpty()) return false;
    const MeterFigures now = figures_();
    const QVariantMap changed = ChangedMeterProperties(announced_, now);
    if (changed.isEmpty()) return false;
    announced_ = now;
    qCDebug(lcBus) << "announcing" << changed.keys() << "to" << readers_.size() << "readers";
    return changed_.Send(bus_, changed);
}
