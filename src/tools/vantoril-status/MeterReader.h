// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the running program's figures from the session bus and follows their changes.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

#include <optional>

class QDBusServiceWatcher;

class MeterReader : public QObject {
    Q_OBJECT
public:
    explicit MeterReader(QDBusConnection bus, QObject* parent = nullptr);

    // Every property of org.example.Vantoril.Meter; nothing when the program does not run
    // (or does not answer within a second).
    std::optional<QVariantMap> ReadAll();

    // From now on `changed` comes with the whole figures after each change, `stopped` when
    // the program ends, `busLost` when the bus itself is gone (the desktop session ended);
    // a program that starts again is read afresh. Gives the first read.
    std::optional<QVariantMap> Follow();

Q_SIGNALS:
    void changed(const QVariantMap& properties);
    void stopped();
    void busLost();

private Q_SLOTS:
    void OnPropertiesChanged(const QString& interface, const QVariantMap& changedProperties,
                             const QStringList& invalidated);

private:
    void ReadAgain();

    QDBusConnection bus_;
    QDBusServiceWatcher* watcher_ = nullptr;
    std::optional<QVariantMap> known_;
};
