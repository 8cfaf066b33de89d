// SPDX-License-Identifier: GPL-3.0-or-later
// The program's QApplication, which hears its own Quit first.
#pragma once

#include <QApplication>

#include <functional>

// A Quit (from SIGTERM or the session manager) makes Qt close every window and gives up
// when one refuses, as the indicator does. The program must let its windows close first.
// Overriding event() sees only the application's own events; an event filter on the
// application would see every event of every object, at every tick.
class ProgramApplication : public QApplication {
public:
    using QApplication::QApplication;

    void OnQuit(std::function<void()> beforeWindowsClose) {
        onQuit_ = std::move(beforeWindowsClose);
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Quit && onQuit_) onQuit_();
        return QApplication::event(event);
    }

private:
    std::function<void()> onQuit_;
};
