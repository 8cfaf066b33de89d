// SPDX-License-Identifier: GPL-3.0-or-later
// The running program's session bus service org.example.Vantoril.
#pragma once

#include "bus/MeterFigures.h"
#include "bus/PropertiesChangedSignal.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QSet>

#include <functional>

class QDBusServiceWatcher;

// One object, /org/example/Vantoril, with the interfaces org.example.Vantoril (the window
// requests, forwarded as signals; the program decides what they do) and
// org.example.Vantoril.Meter (the live figures, read-only), described by the introspection
// files in dbus/.
//
// Panels read the figures once (Get or GetAll) and then follow PropertiesChanged. The
// service answers the calls itself rather than through generated adaptors because it needs
// to know who read: changes are announced only while a client that has read the figures is
// still on the bus, so that a desktop where no panel shows them pays nothing for them.
class BusService : public QDBusVirtualObject {
    Q_OBJECT
public:
    using FigureSource = std::function<MeterFigures()>;

    static const QString kMeterInterface;
    static const QString kServiceName;
    static const QString kObjectPath;

    // `figures` gives the figures as they are now; it is asked when a client reads and, while
    // one is there, at each announcement.
    BusService(QDBusConnection bus, FigureSource figures, QObject* parent = nullptr);
    ~BusService() override;

    // Exports the object and takes the name. False (and the reason) without a bus or
    // while another process holds the name; the program then simply runs without it.
    [[nodiscard]] bool Register(QString* error = nullptr);

    // A second start asks the program that holds the name to bring its settings window
    // forward. False without a bus, without such a program or when it does not answer.
    [[nodiscard]] static bool AskToShowSettings(const QDBusConnection& bus);
    // Calls `method` of org.example.Vantoril (e.g. "ShowHistory", "Quit") on the program
    // that holds the name. False without a bus, without such a program or when it does not
    // answer; nothing is started by the bus.
    [[nodiscard]] static bool AskRunningProgram(const QDBusConnection& bus, const QString& method);

    // Called at each sampling tick: the figures that changed since the last announcement,
    // in one PropertiesChanged signal; nothing when nothing changed or nobody has read.
    // True when a signal went out.
    bool Publish();

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

Q_SIGNALS:
    void showSettingsRequested();
    void showIndicatorRequested();
    void showHistoryRequested();
    void showStatisticsRequested();
    void quitRequested();

private:
    bool AnswerProperties(const QDBusMessage& message, const QDBusConnection& connection);
    bool AnswerRequest(const QDBusMessage& message, const QDBusConnection& connection);
    MeterFigures ReadBy(const QString& reader);
    void Forget(const QString& reader);

    QDBusConnection bus_;
    FigureSource figures_;
    PropertiesChangedSignal changed_;
    QDBusServiceWatcher* readerWatch_ = nullptr;
    QSet<QString> readers_;   // unique names of the clients that read and are still there
    MeterFigures announced_;  // what the readers were last told, by a signal or a first read
    bool registered_ = false;
};
