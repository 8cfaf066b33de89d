// SPDX-License-Identifier: GPL-3.0-or-later
// The USSD session of a balance question: state, Initiate, Cancel on a time-out.
#include "modem/UssdBalance.h"

#include "core/Logging.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace {

const QString kModemService = QStringLiteral("org.freedesktop.ModemManager1");
const QString kUssd = QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp.Ussd");
constexpr int kStateTimeoutMs = 5000;
constexpr uint kUssdActive = 2, kUssdUserResponse = 3;

}  // namespace

UssdBalance::UssdBalance(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {}

void UssdBalance::Ask(const QString& modem, const QString& code,
                      std::function<void(UssdOutcome)> done) {
    if (busy_) return;
    busy_ = true;
    done_ = std::move(done);
    AskState(modem, [this, modem, code](const QDBusMessage& reply, uint state) {
        if (reply.type() != QDBusMessage::ReplyMessage) return Finish({false, Failure(reply)});
        if (state == kUssdActive || state == kUssdUserResponse)
            return Finish({false, tr("Модем уже ведёт сеанс USSD; баланс будет спрошен "
                                     "в следующий раз.")});
        Initiate(modem, code);
    });
}

void UssdBalance::AskState(const QString& modem,
                           std::function<void(const QDBusMessage&, uint)> then) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kModemService, modem, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    call << kUssd << QStringLiteral("State");
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kStateTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [then = std::move(then)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusMessage reply = finished->reply();
                const bool answered =
                    reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
                then(answered ? reply
                              : QDBusMessage::createError(reply.errorName(), reply.errorMessage()),
                     answered
                         ? qdbus_cast<QDBusVariant>(reply.arguments().first()).variant().toUInt()
                         : 0);
            });
}

void UssdBalance::Initiate(const QString& modem, const QString& code) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kModemService, modem, kUssd, QStringLiteral("Initiate"));
    call << code;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kUssdTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, modem](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusMessage reply = finished->reply();
                if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
                    EndMenu(modem);
                    return Finish({true, reply.arguments().first().toString()});
                }
                if (reply.errorName() == u"org.freedesktop.DBus.Error.NoReply" ||
                    reply.errorName() == u"org.freedesktop.DBus.Error.Timeout") {
                    // The session would otherwise block the next question.
                    bus_.send(QDBusMessage::createMethodCall(kModemService, modem, kUssd,
                                                             QStringLiteral("Cancel")));
                    return Finish({false, tr("Оператор не ответил за %1 секунд; запрос отменён.")
                                              .arg(kUssdTimeoutMs / 1000)});
                }
                Finish({false, Failure(reply)});
            });
}

// An operator's answer may open a menu that waits for a reply; nobody will give one here,
// and a session left waiting refuses the next question.
void UssdBalance::EndMenu(const QString& modem) {
    AskState(modem, [this, modem](const QDBusMessage&, uint state) {
        if (state == kUssdUserResponse)
            bus_.send(QDBusMessage::createMethodCall(kModemService, modem, kUssd,
                                                     QStringLiteral("Cancel")));
    });
}

void UssdBalance::Finish(UssdOutcome outcome) {
    busy_ = false;
    if (auto done = std::move(done_)) done(std::move(outcome));
}

QString UssdBalance::Failure(const QDBusMessage& reply) const {
    const QString name = reply.errorName();
    qCDebug(lcLink) << "USSD:" << name << reply.errorMessage();
    if (name == u"org.freedesktop.DBus.Error.ServiceUnknown" ||
        name == u"org.freedesktop.DBus.Error.NameHasNoOwner" ||
        name == u"org.freedesktop.DBus.Error.Disconnected")
        return tr("Модем не найден: ModemManager не запущен.");
    if (name == u"org.freedesktop.DBus.Error.UnknownObject")
        return tr("Модем не найден: ModemManager его больше не знает.");
    if (name == u"org.freedesktop.DBus.Error.UnknownMethod" ||
        name == u"org.freedesktop.DBus.Error.UnknownInterface" ||
        name == u"org.freedesktop.DBus.Error.UnknownProperty" || name.endsWith(u".Unsupported"))
        return tr("Модем не поддерживает запросы USSD.");
    if (name == u"org.freedesktop.DBus.Error.AccessDenied" || name.endsWith(u"Unauthorized") ||
        name.endsWith(u"PermissionDenied"))
        return tr("Система не разрешила спросить модем (polkit).");
    if (name == u"org.freedesktop.DBus.Error.NoReply" ||
        name == u"org.freedesktop.DBus.Error.Timeout")
        return tr("Модем не ответил.");
    return tr("Сеть отказала в запросе USSD: %1").arg(reply.errorMessage());
}
