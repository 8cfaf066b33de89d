// SPDX-License-Identifier: GPL-3.0-or-later
// Starts dbus-daemon and the dbusmock NetworkManager template, and drives the mock.
#include "MockNetworkManager.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QStandardPaths>
#include <QThread>
#include <QUuid>

namespace {
const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
const QString kManagerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");
const QString kModemService = QStringLiteral("org.freedesktop.ModemManager1");
using Settings = QMap<QString, QVariantMap>;

// A method of a mocked object: name, in and out signatures, Python code (a(ssss)).
struct MockMethod {
    QString name, in, out, code;
};
QDBusArgument& operator<<(QDBusArgument& argument, const MockMethod& method) {
    argument.beginStructure();
    argument << method.name << method.in << method.out << method.code;
    argument.endStructure();
    return argument;
}
const QDBusArgument& operator>>(const QDBusArgument& argument, MockMethod& method) {
    argument.beginStructure();
    argument >> method.name >> method.in >> method.out >> method.code;
    argument.endStructure();
    return argument;
}
}  // namespace

Q_DECLARE_METATYPE(MockMethod)

MockNetworkManager::MockNetworkManager() {
    qDBusRegisterMetaType<Settings>();
    qDBusRegisterMetaType<MockMethod>();
    qDBusRegisterMetaType<QList<MockMethod>>();
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty()) {
        unavailable_ = "dbus-daemon is not installed";
        return;
    }
    QProcess probe;
    probe.start("/usr/bin/python3", {"-c", "import dbusmock"});
    if (!probe.waitForFinished(10000) || probe.exitCode() != 0) {
        unavailable_ = "python3-dbusmock is not installed";
        return;
    }
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    if (!daemon_.waitForReadyRead(10000)) {
        unavailable_ = "dbus-daemon did not start";
        return;
    }
    address_ = QString::fromLatin1(daemon_.readLine()).trimmed();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SYSTEM_BUS_ADDRESS", address_);
    mock_.setProcessEnvironment(environment);
    mock_.start("/usr/bin/python3", {"-m", "dbusmock", "--system", "--template", "networkmanager"});

    connectionName_ = "vantoril-mock-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bus_ = QDBusConnection::connectToBus(address_, connectionName_);
    if (!WaitForName(kService))
        unavailable_ = "the NetworkManager mock did not appear on the private bus";
}

bool MockNetworkManager::WaitForName(const QString& service) {
    for (int i = 0; i < 500 && bus_.isConnected(); ++i) {
        if (bus_.interface()->isServiceRegistered(service).value()) return true;
        QThread::msleep(20);
    }
    return false;
}

MockNetworkManager::~MockNetworkManager() {
    QDBusConnection::disconnectFromBus(connectionName_);
    for (QProcess* process : {&modemManager_, &mock_, &daemon_}) {
        if (process->state() == QProcess::NotRunning) continue;
        process->terminate();
        if (!process->waitForFinished(3000)) process->kill();
        process->waitForFinished();
    }
}

QVariantList MockNetworkManager::Call(const QString& path, const QString& interface,
                                      const QString& method, const QVariantList& arguments,
                                      const QString& service) {
    QDBusMessage call = QDBusMessage::createMethodCall(service.isEmpty() ? kService : service, path,
                                                       interface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = bus_.call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        qFatal("mock call %s failed: %s", qPrintable(method), qPrintable(reply.errorMessage()));
    return reply.arguments();
}

QString MockNetworkManager::AddDevice(const QString& name, const QString& ipInterface,
                                      uint deviceType) {
    const QString path =
        Call(kManagerPath, kMock, "AddEthernetDevice", {name, QString("tty" + name), 100})
            .value(0)
            .toString();
    const QString device = "org.freedesktop.NetworkManager.Device";
    UpdateProperties(path, device, {{"IpInterface", ipInterface}, {"DeviceType", deviceType}});
    return path;
}

QString MockNetworkManager::AddProfile(const QString& id, const QString& type, int metered) {
    QVariantMap connection{
        {"id", id}, {"type", type}, {"uuid", QUuid::createUuid().toString(QUuid::WithoutBraces)}};
    if (metered) connection.insert("metered", metered);
    return AddProfileSettings({{"connection", connection}});
}

QString MockNetworkManager::Activate(const QString& device, const QString& profile,
                                     const QString& name, uint state) {
    return Call(kManagerPath, kMock, "AddActiveConnection",
                {QStringList{device}, profile, QStringLiteral("/"), name, state})
        .value(0)
        .toString();
}

void MockNetworkManager::Deactivate(const QString& device, const QString& active) {
    Call(kManagerPath, kMock, "RemoveActiveConnection", {device, active});
}

void MockNetworkManager::AddProperties(const QString& path, const QString& interface,
                                       const QVariantMap& properties) {
    Call(path, kMock, "AddProperties", {interface, properties});
}

void MockNetworkManager::UpdateProperties(const QString& path, const QString& interface,
                                          const QVariantMap& properties) {
    Call(path, kMock, "UpdateProperties", {interface, properties});
}

QString MockNetworkManager::AddModemWithBearer(const QVariantMap& stats) {
    const QString service = "org.freedesktop.ModemManager1";
    const QString root = "/org/freedesktop/ModemManager1";
    modemManager_.setProcessEnvironment(mock_.processEnvironment());
    modemManager_.start("/usr/bin/python3", {"-m", "dbusmock", "--system", service, root, service});
    if (!WaitForName(service)) qFatal("the ModemManager mock did not start");
    const QString modem = root + "/Modem/0";
    const QString bearer = root + "/Bearer/0";
    const QVariant methods = QVariant::fromValue(QList<MockMethod>());
    Call(root, kMock, "AddObject",
         {bearer, QString(service + ".Bearer"), QVariantMap{{"Connected", true}, {"Stats", stats}},
          methods},
         service);
    Call(root, kMock, "AddObject",
         {modem, QString(service + ".Modem"),
          QVariantMap{
              {"Bearers", QVariant::fromValue(QList<QDBusObjectPath>{QDBusObjectPath(bearer)})}},
          methods},
         service);
    return modem;
}

QList<QVariantList> MockNetworkManager::ManagerCalls(const QString& method) {
    return CallsOf(kService, kManagerPath, method);
}

QList<QVariantList> MockNetworkManager::CallsOf(const QString& service, const QString& path,
                                                const QString& method) {
    const QVariantList reply = Call(path, kMock, "GetMethodCalls", {method}, service);
    QList<QVariantList> calls;
    const QDBusArgument list = reply.value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        qulonglong when = 0;
        QVariantList arguments;
        list.beginStructure();
        list >> when >> arguments;
        list.endStructure();
        calls.push_back(arguments);
    }
    list.endArray();
    return calls;
}

void MockNetworkManager::AddModemProperties(const QString& path, const QString& interface,
                                            const QVariantMap& properties, bool update) {
    Call(path, kMock, update ? "UpdateProperties" : "AddProperties", {interface, properties},
         kModemService);
}

void MockNetworkManager::SetModemMethod(const QString& path, const QString& interface,
                                        const QString& method, const QString& in,
                                        const QString& out, const QString& code) {
    Call(path, kMock, "AddMethod", {interface, method, in, out, code}, kModemService);
}

QList<QVariantList> MockNetworkManager::ModemCalls(const QString& path, const QString& method) {
    return CallsOf(kModemService, path, method);
}

QString MockNetworkManager::AddProfileSettings(const Settings& settings) {
    const QVariantList reply =
        Call("/org/freedesktop/NetworkManager/Settings", "org.freedesktop.NetworkManager.Settings",
             "AddConnection", {QVariant::fromValue(settings)});
    return qdbus_cast<QDBusObjectPath>(reply.value(0)).path();
}

QMap<QString, QVariantMap> MockNetworkManager::ProfileSettings(const QString& profile) {
    const QVariantList reply =
        Call(profile, "org.freedesktop.NetworkManager.Settings.Connection", "GetSettings", {});
    return qdbus_cast<Settings>(reply.value(0));
}

void MockNetworkManager::RefuseUpdate(const QString& profile, const QString& name) {
    Call(profile, kMock, "AddMethod",
         {"org.freedesktop.NetworkManager.Settings.Connection", "Update", "a{sa{sv}}", "",
          QString("raise dbus.exceptions.DBusException('Not authorized', name='%1')").arg(name)});
}

QDBusPendingCall MockNetworkManager::Stall(int seconds) {
    const QString test = "org.vantoril.Test";
    Call(kManagerPath, kMock, "AddMethod",
         {test, "Stall", "", "", QString("import time\ntime.sleep(%1)").arg(seconds)});
    return bus_.asyncCall(QDBusMessage::createMethodCall(kService, kManagerPath, test, "Stall"),
                          (seconds + 10) * 1000);
}
