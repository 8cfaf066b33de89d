// SPDX-License-Identifier: GPL-3.0-or-later
// One balance question to a ModemManager modem by USSD, without waiting on the bus.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

class QDBusMessage;

// What came of a question: the operator's text, or why there is none in plain words.
struct UssdOutcome {
    bool answered = false;
    QString text;
};

// Asks the modem's state first: a session already under way is left alone. An answer
// that takes longer than kUssdTimeoutMs cancels the session.
class UssdBalance final : public QObject {
    Q_OBJECT
public:
    static constexpr int kUssdTimeoutMs = 30000;

    explicit UssdBalance(QDBusConnection bus, QObject* parent = nullptr);

    bool Busy() const { return busy_; }
    // `done` runs from the event loop once, unless a question is already under way.
    void Ask(const QString& modem, const QString& code, std::function<void(UssdOutcome)> done);

private:
    void Initiate(const QString& modem, const QString& code);
    // The session's state; a failed call gives its error and state 0.
    void AskState(const QString& modem, std::function<void(const QDBusMessage&, uint)> then);
    void EndMenu(const QString& modem);
    void Finish(UssdOutcome outcome);
    QString Failure(const QDBusMessage& reply) const;

    QDBusConnection bus_;
    bool busy_ = false;
    std::function<void(UssdOutcome)> done_;
};
