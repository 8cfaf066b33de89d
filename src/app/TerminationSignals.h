// SPDX-License-Identifier: GPL-3.0-or-later
// Turns SIGTERM, SIGINT and SIGHUP (the end of the desktop session) into a Qt signal.
#pragma once

#include <QObject>

class QSocketNotifier;

// Only one may exist at a time: the signal handlers write to its socket.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void terminationRequested();

private:
    void Drain();

    QSocketNotifier* notifier_ = nullptr;
};
