// SPDX-License-Identifier: GPL-3.0-or-later
// The running program's session bus service org.example.Vantoril.
#pragma once

#include "app/MeterFigures.h"

#include <QDBusConnection>
#include <QObject>

// One object, /org/example/Vantoril, with one adaptor per interface, each generated from
// its introspection file in dbus/ and calling the slot of the same name here. The
// requests are forwarded as signals; the program decides what they do.
class BusService : public QObject {
    Q_OBJECT
    // org.example.Vantoril.Meter, read by its adaptor
    Q_PROPERTY(bool Connected READ Connected)
    Q_PROPERTY(QString ConnectionName READ ConnectionName)
    Q_PROPERTY(qulonglong ReceivedBytes READ ReceivedBytes)
    Q_PROPERTY(qulonglong SentBytes READ SentBytes)
    Q_PROPERTY(qulonglong LinkBps READ LinkBps)
    Q_PROPERTY(qulonglong OnlineSeconds READ OnlineSeconds)
    Q_PROPERTY(double Cost READ Cost)
    Q_PROPERTY(double PeriodCost READ PeriodCost)
    Q_PROPERTY(double Budget READ Budget)
    Q_PROPERTY(double PeriodMB READ PeriodMB)
    Q_PROPERTY(double CapMB READ CapMB)
    Q_PROPERTY(QString Message READ Message)
public:
    static const QString kMeterInterface;

    static const QString kServiceName;
    static const QString kObjectPath;

    explicit BusService(QDBusConnection bus, QObject* parent = nullptr);
    ~BusService() override;

    // Exports the object and takes the name. False (and the reason) without a bus or
    // while another process holds the name; the program then simply runs without it.
    [[nodiscard]] bool Register(QString* error = nullptr);

    // A second start asks the program that holds the name to bring its settings window
    // forward. False without a bus, without such a program or when it does not answer.
    [[nodiscard]] static bool AskToShowSettings(const QDBusConnection& bus);

    bool Registered() const { return registered_; }

    // A sampling tick's figures: kept for reading, and the ones that changed announced in
    // one PropertiesChanged signal (none when nothing changed or nobody can hear it).
    void Publish(const MeterFigures& figures);

    bool Connected() const { return figures_.connected; }
    QString ConnectionName() const { return figures_.connectionName; }
    qulonglong ReceivedBytes() const { return figures_.receivedBytes; }
    qulonglong SentBytes() const { return figures_.sentBytes; }
    qulonglong LinkBps() const { return figures_.linkBps; }
    qulonglong OnlineSeconds() const { return figures_.onlineSeconds; }
    double Cost() const { return figures_.cost; }
    double PeriodCost() const { return figures_.periodCost; }
    double Budget() const { return figures_.budget; }
    double PeriodMB() const { return figures_.periodMb; }
    double CapMB() const { return figures_.capMb; }
    QString Message() const { return figures_.message; }

public Q_SLOTS:
    // org.example.Vantoril
    void ShowSettings();
    void ShowIndicator();
    void ShowHistory();

Q_SIGNALS:
    void showSettingsRequested();
    void showIndicatorRequested();
    void showHistoryRequested();

private:
    QDBusConnection bus_;
    bool registered_ = false;
    MeterFigures figures_;
};
