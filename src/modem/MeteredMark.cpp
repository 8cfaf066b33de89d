// SPDX-License-Identifier: GPL-3.0-or-later
// GetSettings, then Update with the same settings and connection.metered = 1.
#include "modem/MeteredMark.h"

#include "core/Logging.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>

namespace {

const QString kService = QStringLiteral("org.freedesktop.NetworkManager");
const QString kProfile = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
using ProfileSettings = QMap<QString, QVariantMap>;
constexpr int kCallTimeoutMs = 25000;  // polkit may ask the user first
constexpr int kMeteredYes = 1;

}  // namespace

MeteredMark::MeteredMark(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    qDBusRegisterMetaType<ProfileSettings>();
}

void MeteredMark::Mark(const QString& profile, const QString& name,
                       std::function<void(bool, const QString&)> done) {
    if (busy_) return;
    busy_ = true;
    done_ = std::move(done);
    const QDBusMessage get =
        QDBusMessage::createMethodCall(kService, profile, kProfile, QStringLiteral("GetSettings"));
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(get, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, profile, name](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusMessage reply = finished->reply();
                if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
                    return Finish(false, Refusal(reply, name));
                auto settings = qdbus_cast<ProfileSettings>(reply.arguments().first());
                settings[QStringLiteral("connection")][QStringLiteral("metered")] = kMeteredYes;
                QDBusMessage update = QDBusMessage::createMethodCall(kService, profile, kProfile,
                                                                     QStringLiteral("Update"));
                update << QVariant::fromValue(settings);
                auto* written =
                    new QDBusPendingCallWatcher(bus_.asyncCall(update, kCallTimeoutMs), this);
                connect(written, &QDBusPendingCallWatcher::finished, this,
                        [this, name](QDBusPendingCallWatcher* answer) {
                            answer->deleteLater();
                            const QDBusMessage result = answer->reply();
                            if (result.type() == QDBusMessage::ReplyMessage)
                                return Finish(true,
                                              tr("Подключение «%1» теперь считается лимитным: "
                                                 "магазины приложений, Flatpak и PackageKit "
                                                 "отложат на нём загрузки.")
                                                  .arg(name));
                            Finish(false, Refusal(result, name));
                        });
            });
}

void MeteredMark::Finish(bool marked, const QString& text) {
    busy_ = false;
    qCInfo(lcLink) << "metered mark:" << text;
    if (auto done = std::move(done_)) done(marked, text);
}

QString MeteredMark::Refusal(const QDBusMessage& reply, const QString& name) const {
    qCDebug(lcLink) << "metered mark:" << reply.errorName() << reply.errorMessage();
    const QString error = reply.errorName();
    if (error.endsWith(u"PermissionDenied") || error == u"org.freedesktop.DBus.Error.AccessDenied")
        return tr("Система не разрешила изменить подключение «%1»: у вас нет на это прав. "
                  "Отметьте его лимитным в настройках сети или попросите администратора.")
            .arg(name);
    return tr("Не удалось отметить подключение «%1» лимитным: %2")
        .arg(name, reply.errorMessage().isEmpty() ? error : reply.errorMessage());
}
