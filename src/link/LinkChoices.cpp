// SPDX-License-Identifier: GPL-3.0-or-later
// Listing the connections to choose from: the kernel's interfaces, NetworkManager's profiles.
#include "link/LinkChoices.h"

#include "link/NetworkManagerNames.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QTimer>

#include <algorithm>

using namespace dbusnames;

namespace {
constexpr int kAnswerWithinMs = 3000;
const QString kSettingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString kSettings = QStringLiteral("org.freedesktop.NetworkManager.Settings");

QString Translate(const char* text) {
    return QCoreApplication::translate("LinkChoices", text);
}

QString KindText(const QString& kind) {
    if (kind.isEmpty()) return Translate("интерфейс ядра");
    if (kind == u"gsm" || kind == u"cdma") return Translate("мобильная связь");
    if (kind == u"802-11-wireless") return QStringLiteral("Wi-Fi");
    if (kind == u"802-3-ethernet") return Translate("проводная сеть");
    if (kind == u"vpn" || kind == u"wireguard") return QStringLiteral("VPN");
    return kind;
}

QList<QDBusObjectPath> Paths(const QVariant& value) {
    return qdbus_cast<QList<QDBusObjectPath>>(value);
}
}  // namespace

LinkChoice AutomaticChoice() {
    LinkChoice choice;
    choice.setting = QStringLiteral("auto");
    choice.name = Translate("автоматически");
    return choice;
}

std::vector<LinkChoice> KernelChoices(const KernelPaths& paths) {
    std::vector<LinkChoice> found;
    for (const QString& name :
         QDir(paths.sysClassNet).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!name.startsWith(u"ppp") && !name.startsWith(u"wwan") && !name.startsWith(u"tun"))
            continue;
        LinkChoice choice;
        choice.setting = QStringLiteral("kernel:") + name;
        choice.name = name;
        choice.active = true;
        found.push_back(choice);
    }
    return found;
}

QString ChoiceText(const LinkChoice& choice) {
    if (choice.setting == u"auto") return choice.name;
    QStringList notes{KindText(choice.kind)};
    if (choice.metered)
        notes << (*choice.metered ? Translate("лимитное") : Translate("безлимитное"));
    if (choice.active) notes << Translate("активно");
    return choice.name + QStringLiteral(" — ") + notes.join(QStringLiteral(", "));
}

NetworkManagerChoices::NetworkManagerChoices(QDBusConnection bus, Done done, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), done_(std::move(done)) {
    qDBusRegisterMetaType<QMap<QString, QVariantMap>>();
    if (!bus_.isConnected()) {  // no system bus: nothing will ever answer
        Deliver();
        return;
    }
    Call(kSettingsPath, kSettings, QStringLiteral("ListConnections"), {},
         [this](const QDBusMessage& reply) {
             for (const QDBusObjectPath& profile : Paths(reply.arguments().value(0))) {
                 Call(profile.path(), kProfile, QStringLiteral("GetSettings"), {},
                      [this](const QDBusMessage& settings) {
                          const QVariantMap connection =
                              qdbus_cast<QMap<QString, QVariantMap>>(settings.arguments().value(0))
                                  .value(QStringLiteral("connection"));
                          const QString id = connection.value(QStringLiteral("id")).toString();
                          if (id.isEmpty()) return;
                          LinkChoice& choice = ChoiceNamed(id);
                          choice.kind = connection.value(QStringLiteral("type")).toString();
                          // NetworkManager's metered: 1 yes, 2 no, anything else unknown.
                          const uint metered = connection.value(QStringLiteral("metered")).toUInt();
                          if (metered == 1 || metered == 2) choice.metered = metered == 1;
                      });
             }
         });
    Call(kManagerPath, kProperties, QStringLiteral("Get"),
         {kManager, QStringLiteral("ActiveConnections")}, [this](const QDBusMessage& reply) {
             const QVariant paths = qdbus_cast<QDBusVariant>(reply.arguments().value(0)).variant();
             for (const QDBusObjectPath& active : Paths(paths)) {
                 Call(active.path(), kProperties, QStringLiteral("GetAll"), {kActive},
                      [this](const QDBusMessage& properties) {
                          const QVariantMap values =
                              qdbus_cast<QVariantMap>(properties.arguments().value(0));
                          const QString id = values.value(QStringLiteral("Id")).toString();
                          if (id.isEmpty()) return;
                          LinkChoice& choice = ChoiceNamed(id);
                          choice.active = true;
                          if (choice.kind.isEmpty())
                              choice.kind = values.value(QStringLiteral("Type")).toString();
                      });
             }
         });
}

void NetworkManagerChoices::Call(const QString& path, const QString& interface,
                                 const QString& method, const QVariantList& arguments,
                                 std::function<void(const QDBusMessage&)> then) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, path, interface, method);
    call.setArguments(arguments);
    ++pending_;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kAnswerWithinMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, then = std::move(then)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusMessage reply = finished->reply();
                if (reply.type() == QDBusMessage::ReplyMessage) {
                    answered_ = true;
                    then(reply);
                }
                if (--pending_ == 0) Deliver();
            });
}

LinkChoice& NetworkManagerChoices::ChoiceNamed(const QString& name) {
    for (LinkChoice& choice : found_)
        if (choice.name == name) return choice;
    LinkChoice choice;
    choice.setting = QStringLiteral("networkmanager:") + name;
    choice.name = name;
    found_.push_back(choice);
    return found_.back();
}

void NetworkManagerChoices::Deliver() {
    std::sort(found_.begin(), found_.end(), [](const LinkChoice& a, const LinkChoice& b) {
        if (a.active != b.active) return a.active;
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    // Told from the event loop even without a bus: the caller has finished setting up.
    QTimer::singleShot(0, this, [this] { done_(found_, answered_); });
}
