// SPDX-License-Identifier: GPL-3.0-or-later
// Marks a NetworkManager connection profile as metered, every other setting kept.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

class QDBusMessage;

// Reads the profile's settings (secrets are never part of them), sets connection.metered
// to yes and writes the whole back with Update, which keeps it on disk. One mark at a time.
class MeteredMark final : public QObject {
    Q_OBJECT
public:
    explicit MeteredMark(QDBusConnection bus, QObject* parent = nullptr);

    bool Busy() const { return busy_; }
    // `done` says in plain words what came of it; `name` is the connection as the user knows it.
    void Mark(const QString& profile, const QString& name,
              std::function<void(bool marked, const QString& text)> done);

private:
    void Finish(bool marked, const QString& text);
    QString Refusal(const QDBusMessage& reply, const QString& name) const;

    QDBusConnection bus_;
    bool busy_ = false;
    std::function<void(bool, const QString&)> done_;
};
