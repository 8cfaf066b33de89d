// SPDX-License-Identifier: GPL-3.0-or-later
// The schedule of balance questions, the roaming watch and the metered mark.
#include "modem/ModemFeatures.h"

#include "core/Clock.h"
#include "core/Logging.h"
#include "core/MoneyText.h"
#include "core/Settings.h"
#include "link/MonotonicClock.h"
#include "modem/BalanceAnswer.h"
#include "modem/MeteredMark.h"
#include "modem/UssdBalance.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

#include <algorithm>

namespace {

const QString k3gpp = QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp");
constexpr int64_t kRegistrationPollMs = 5000;
constexpr int kRegistrationTimeoutMs = 5000;

// Registration states: ROAMING 5, ROAMING_SMS_ONLY 7, ROAMING_CSFB_NOT_PREFERRED 10.
bool IsRoaming(uint state) {
    return state == 5 || state == 7 || state == 10;
}

}  // namespace

ModemFeatures::ModemFeatures(QDBusConnection systemBus, const MonotonicClock& steady,
                             const Clock& clock, QLocale locale, QObject* parent)
    : QObject(parent),
      bus_(std::move(systemBus)),
      steady_(steady),
      clock_(clock),
      locale_(std::move(locale)),
      ussd_(new UssdBalance(bus_, this)),
      mark_(new MeteredMark(bus_, this)) {}

void ModemFeatures::SetLastBalance(const std::optional<BalanceEntry>& last) {
    balance_ = last;
    lastAmount_ = last ? last->amount : std::nullopt;
}

bool ModemFeatures::Asking() const {
    return ussd_->Busy();
}

void ModemFeatures::Tick(const ModemSighting& sighting, const Settings& settings,
                         double periodPercent) {
    const bool fresh = sighting.connection != sighting_.connection;
    const bool different = fresh || sighting.modem != sighting_.modem ||
                           sighting.profile != sighting_.profile ||
                           sighting.metered != sighting_.metered;
    sighting_ = sighting;
    code_ = settings.balance_ussd.trimmed();
    everyMinutes_ = std::max<int>(settings.balance_every, kShortestBalanceEvery);
    low_ = settings.balance_low;
    currency_ = settings.currency;
    roamingHangUp_ = settings.roaming_hangup == 1;
    if (fresh) askedMs_ = -1;
    if (sighting.connection == 0 || sighting.modem.isEmpty()) {
        if (roaming_) {
            roaming_ = false;
            Q_EMIT changed();
        }
    } else {
        if (fresh || registrationMs_ < 0 ||
            steady_.ElapsedMs() - registrationMs_ >= kRegistrationPollMs)
            PollRegistration();
        if (!code_.isEmpty() && !ussd_->Busy() &&
            (askedMs_ < 0 || steady_.ElapsedMs() - askedMs_ >= int64_t(everyMinutes_) * 60000))
            Ask();
    }
    if (settings.metered_at > 0 && periodPercent >= settings.metered_at &&
        sighting.connection != 0 && !sighting.profile.isEmpty() &&
        !IsMeteredYes(sighting.metered) && !markedAt_.contains(sighting.profile)) {
        markedAt_.insert(sighting.profile);
        Mark(true);
    }
    if (different) Q_EMIT changed();
}

void ModemFeatures::AskBalanceNow() {
    if (code_.isEmpty())
        return SayBalance(tr("Код USSD для баланса не задан (ключ balance_ussd)."));
    if (sighting_.connection == 0 || sighting_.modem.isEmpty())
        return SayBalance(tr("Баланс спрашивается у модема, когда через него есть подключение."));
    if (!ussd_->Busy()) Ask();
}

void ModemFeatures::Ask() {
    askedMs_ = steady_.ElapsedMs();
    qCDebug(lcLink) << "USSD balance: asking" << sighting_.modem << code_;
    ussd_->Ask(sighting_.modem, code_, [this](const UssdOutcome& outcome) {
        if (outcome.answered)
            TakeAnswer(outcome.text);
        else
            SayBalance(outcome.text);
    });
    Q_EMIT changed();
}

void ModemFeatures::TakeAnswer(const QString& text) {
    BalanceEntry entry{clock_.Now(), BalanceInAnswer(text), text};
    balanceMessage_ = entry.amount ? QString() : tr("В ответе оператора нет суммы.");
    if (entry.amount) {
        const bool wasLow = lastAmount_ && *lastAmount_ < low_;
        if (low_ > 0 && *entry.amount < low_ && !wasLow)
            Q_EMIT alert(tr("Баланс ниже %1: %2.")
                             .arg(MoneyText(low_, currency_, locale_),
                                  MoneyText(*entry.amount, currency_, locale_)));
        lastAmount_ = entry.amount;
    }
    balance_ = entry;
    Q_EMIT balanceTaken(entry);
    Q_EMIT changed();
}

// Said once: the same failure at the next question changes nothing.
void ModemFeatures::SayBalance(const QString& message) {
    if (message == balanceMessage_) return;
    balanceMessage_ = message;
    qCInfo(lcLink) << "USSD balance:" << message;
    Q_EMIT changed();
}

void ModemFeatures::PollRegistration() {
    if (registrationAsked_) return;
    registrationAsked_ = true;
    registrationMs_ = steady_.ElapsedMs();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.ModemManager1"), sighting_.modem,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
    call << k3gpp;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kRegistrationTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, modem = sighting_.modem](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                registrationAsked_ = false;
                const QDBusMessage reply = finished->reply();
                if (modem != sighting_.modem || reply.type() != QDBusMessage::ReplyMessage ||
                    reply.arguments().isEmpty())
                    return;
                TakeRegistration(qdbus_cast<QVariantMap>(reply.arguments().first()));
            });
}

void ModemFeatures::TakeRegistration(const QVariantMap& properties) {
    const bool roaming = sighting_.connection != 0 &&
                         IsRoaming(properties.value(QStringLiteral("RegistrationState")).toUInt());
    QString name = properties.value(QStringLiteral("OperatorName")).toString();
    if (name.isEmpty()) name = properties.value(QStringLiteral("OperatorCode")).toString();
    const bool different = roaming != roaming_ || name != operator_;
    roaming_ = roaming;
    operator_ = name;
    if (roaming_ && roamingToldFor_ != sighting_.connection) {
        roamingToldFor_ = sighting_.connection;
        QString text = tr("Подключение в роуминге: %1").arg(name);
        if (roamingHangUp_) {
            text += u'\n' + tr("Подключение разорвано: так велит ключ roaming_hangup=1.");
            Q_EMIT hangUpWanted(sighting_.connection);
        }
        Q_EMIT alert(text);
    }
    if (different) Q_EMIT changed();
}

void ModemFeatures::MarkMetered() {
    if (sighting_.profile.isEmpty()) {
        meteredMessage_ = tr("Лимитным можно отметить только подключение NetworkManager.");
        Q_EMIT changed();
        return;
    }
    Mark(false);
}

// `told`: metered_at marked it, so the outcome is a notification too.
void ModemFeatures::Mark(bool told) {
    if (mark_->Busy()) return;
    mark_->Mark(sighting_.profile, sighting_.name, [this, told](bool, const QString& text) {
        meteredMessage_ = text;
        if (told) Q_EMIT notice(text);
        Q_EMIT changed();
    });
}

QString BalanceLine(const BalanceEntry& entry, const QString& currency, const QLocale& locale) {
    const QString time = locale.toString(entry.at.time(), QStringLiteral("HH:mm"));
    if (!entry.amount)
        return QCoreApplication::translate("ModemFeatures", "Ответ оператора без суммы (%1): %2")
            .arg(time, entry.text);
    return QCoreApplication::translate("ModemFeatures", "Баланс: %1 (оператор, %2)")
        .arg(MoneyText(*entry.amount, currency, locale), time);
}

QString BalanceSpanLine(const QList<BalanceEntry>& entries, double counted, const QString& currency,
                        const QLocale& locale) {
    if (entries.size() < 2) return {};
    const BalanceEntry& first = entries.first();
    const double spent = *first.amount - *entries.last().amount;
    return QCoreApplication::translate("ModemFeatures", "С %1: по оператору %2, по счётчику %3")
        .arg(locale.toString(first.at, QStringLiteral("dd.MM HH:mm")),
             MoneyText(spent, currency, locale), MoneyText(counted, currency, locale));
}

QString MeteredText(uint metered) {
    switch (metered) {
        case 1:
            return QCoreApplication::translate("ModemFeatures", "лимитное");
        case 2:
            return QCoreApplication::translate("ModemFeatures", "безлимитное");
        case 3:
            return QCoreApplication::translate("ModemFeatures", "лимитное (по догадке)");
        case 4:
            return QCoreApplication::translate("ModemFeatures", "безлимитное (по догадке)");
        default:
            return QCoreApplication::translate("ModemFeatures", "неизвестно");
    }
}
