// The running program's session bus service org.example.Vantoril.
#pragma once

#include <QDBusConnection>
#include <QObject>

// One object, /org/example/Vantoril, with one adaptor per interface, each generated from
// its introspection file in dbus/ and calling the slot of the same name here. The
// requests are forwarded as signals; the program decides what they do.
class BusService : public QObject {
    Q_OBJECT
public:
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

public Q_SLOTS:
    // org.example.Vantoril
    void ShowSettings();

Q_SIGNALS:
    void showSettingsRequested();

private:
    QDBusConnection bus_;
    bool registered_ = false;
};
