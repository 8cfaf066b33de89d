// SPDX-License-Identifier: GPL-3.0-or-later
// The operator's side of the watched connection: the balance by USSD, roaming, and the
// metered mark NetworkManager gives the link.
#pragma once

#include "history/BalanceLog.h"

#include <QDBusConnection>
#include <QLocale>
#include <QObject>
#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>

class Clock;
class MeteredMark;
class MonotonicClock;
class UssdBalance;
struct Settings;

// What the link knows of the watched connection.
struct ModemSighting {
    uint64_t connection = 0;  // the link's number of the connection up; 0 while down
    QString name;             // as the user knows it
    QString modem;            // ModemManager's object of its device; empty when not a modem
    QString profile;          // NetworkManager's profile; empty when not NetworkManager's
    uint metered = 0;  // the device's Metered: 0 unknown, 1 yes, 2 no, 3 guessed yes, 4 guessed no
};

inline constexpr int kShortestBalanceEvery = 10;  // minutes

// Driven by the sampling tick; every question goes out without waiting and its answer
// arrives from the event loop. A failure is said once until something else happens.
class ModemFeatures final : public QObject {
    Q_OBJECT
public:
    ModemFeatures(QDBusConnection systemBus, const MonotonicClock& steady, const Clock& clock,
                  QLocale locale, QObject* parent = nullptr);

    // The newest answer kept in the history, so that a fall is told once across runs.
    void SetLastBalance(const std::optional<BalanceEntry>& last);
    void Tick(const ModemSighting& sighting, const Settings& settings, double periodPercent);

    // The window's buttons: they say why not when they cannot.
    void AskBalanceNow();
    void MarkMetered();

    const std::optional<BalanceEntry>& Balance() const { return balance_; }
    const QString& BalanceMessage() const { return balanceMessage_; }
    const QString& MeteredMessage() const { return meteredMessage_; }
    bool Roaming() const { return roaming_; }
    const QString& OperatorName() const { return operator_; }
    const ModemSighting& Sighting() const { return sighting_; }
    bool Asking() const;

Q_SIGNALS:
    void changed();
    void balanceTaken(const BalanceEntry& entry);  // to be kept in the history
    void notice(const QString& text);              // told as the budget alerts are
    void alert(const QString& text);  // a notice about money or roaming: offers the next steps
    void hangUpWanted(uint64_t connection);

private:
    void Ask();
    void TakeAnswer(const QString& text);
    void SayBalance(const QString& message);
    void PollRegistration();
    void TakeRegistration(const QVariantMap& properties);
    void Mark(bool told);

    QDBusConnection bus_;
    const MonotonicClock& steady_;
    const Clock& clock_;
    QLocale locale_;
    QString currency_;
    UssdBalance* ussd_;
    MeteredMark* mark_;
    ModemSighting sighting_;
    QString code_;
    int everyMinutes_ = 60;
    double low_ = 0;
    bool roamingHangUp_ = false;
    int64_t askedMs_ = -1;  // on the steady clock; -1: not yet on this connection
    std::optional<BalanceEntry> balance_;
    std::optional<double> lastAmount_;
    QString balanceMessage_;
    QString meteredMessage_;
    bool registrationAsked_ = false;
    int64_t registrationMs_ = -1;
    bool roaming_ = false;
    QString operator_;
    uint64_t roamingToldFor_ = 0;
    QSet<QString> markedAt_;  // profiles metered_at has marked in this run
};

// "Баланс: 123,45 ₽ (оператор, 18:20)", or the answer without an amount, said so.
QString BalanceLine(const BalanceEntry& entry, const QString& currency, const QLocale& locale);
// What the operator's answers within a span say it took, beside what the program counted
// for the same span ("по оператору" against "по счётчику"); empty with fewer than two.
QString BalanceSpanLine(const QList<BalanceEntry>& entries, double counted, const QString& currency,
                        const QLocale& locale);
// How NetworkManager treats the connection, from the device's Metered.
QString MeteredText(uint metered);
// True for Metered yes and guessed yes.
inline bool IsMeteredYes(uint metered) {
    return metered == 1 || metered == 3;
}
