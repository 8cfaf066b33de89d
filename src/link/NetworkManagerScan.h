// SPDX-License-Identifier: GPL-3.0-or-later
// One asynchronous look at NetworkManager's objects: which active connection to watch.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class MonotonicClock;
class QDBusMessage;

// What NetworkManager (and ModemManager behind a modem) says of the watched connection.
struct NetworkManagerConnection {
    QString path;         // the active connection's object path, empty when none
    QString id;           // its name as the user knows it
    uint state = 0;       // ACTIVATING 1, ACTIVATED 2, DEACTIVATING 3, DEACTIVATED 4
    QString device;       // object path of its first device
    QString ipInterface;  // the interface carrying its data (ppp0, wlan0...)
    uint deviceType = 0;
    QString profile;   // the connection's settings profile
    QString modem;     // ModemManager's object of a modem device (its Udi), else empty
    uint metered = 0;  // the device's Metered: UNKNOWN 0, YES 1, NO 2, GUESS_YES 3, GUESS_NO 4
    uint64_t bps = 0;  // speed reported by the device or modem bearer
    int64_t modemStartMs = -1;  // ModemManager's start-date as a monotonic moment
    // The device's Statistics properties (bytes received, sent), when it has them.
    std::optional<std::pair<uint64_t, uint64_t>> statistics;
};

// Asks every question at once without waiting for an answer; `done` runs from the event
// loop once all answers are in (a call that fails or times out counts as "nothing there").
// Deleting the scan drops the answers still due. The first active connection that is
// metered or of a remote-access kind is chosen, or the one whose Id is asked for; the
// connection watched so far stays chosen while it qualifies and is not going down, so that
// a newer one (NetworkManager lists the newest first) does not take over.
class NetworkManagerScan final : public QObject {
    Q_OBJECT

public:
    using Done = std::function<void(const NetworkManagerConnection& found)>;

    NetworkManagerScan(QDBusConnection bus, QString wantedId, QString watchedPath,
                       const MonotonicClock& clock, Done done, QObject* parent = nullptr);

    // True when the device type is made with each call and counts from zero (modem, ppp...).
    static bool CreatedWithConnection(uint deviceType, const QString& ipInterface);

private:
    struct Candidate {
        QString path;
        QVariantMap active;
        QVariantMap device;
        bool profileMetered = false;
    };

    void Call(const QString& service, const QString& path, const QString& interface,
              const QString& method, const QVariantList& arguments,
              std::function<void(const QDBusMessage&)> then);
    void GetAll(const QString& service, const QString& path, const QString& interface,
                std::function<void(const QVariantMap&)> then);
    void Get(const QString& service, const QString& path, const QString& interface,
             const QString& name, std::function<void(const QVariant&)> then);

    void LoadCandidate(size_t index);
    void AskProfile(size_t index);
    bool Chooses(const Candidate& candidate) const;
    void Choose();
    void AskDetails();
    void Deliver();

    QDBusConnection bus_;
    QString wantedId_;
    QString watchedPath_;
    const MonotonicClock& clock_;
    Done done_;
    int pending_ = 0;
    bool choosing_ = true;  // first the candidates, then the chosen one's details
    std::vector<Candidate> candidates_;
    QString modem_;  // ModemManager's object of the chosen device, if any
    std::vector<QVariantMap> bearers_;
    NetworkManagerConnection found_;
};
