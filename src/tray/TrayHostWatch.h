// SPDX-License-Identifier: GPL-3.0-or-later
// Follows the desktop's notification area as it comes and goes.
#pragma once

#include "tray/TrayHost.h"

#include <QDBusConnection>
#include <QObject>

#include <functional>
#include <memory>

class QDBusPendingCallWatcher;

// A StatusNotifierItem host is announced on the session bus (the watcher's name and its
// host signals); the X11 system tray is a selection owner, asked again whenever the X server
// says that selection changed hands. Without such word it is asked every second, and a
// panel that starts after the program is seen within about a second.
//
// Qt picks the kind of notification area once, at the program's first tray icon, which is
// made as soon as a notification area is there; so the kind first seen stays the kind
// followed for the rest of the session.
class TrayHostWatch : public QObject {
    Q_OBJECT
public:
    using Probe = std::function<bool()>;
    // Calls `changed` whenever the answer of a probe may have changed, for as long as the
    // returned object lives; null when it cannot.
    using Follow = std::function<std::unique_ptr<QObject>(std::function<void()> changed)>;

    struct X11Tray {
        Probe present;  // whether an X11 system tray is there; empty off X11
        Follow follow;  // empty or null: `present` is asked every second instead
    };

    // The bus and the X11 tray are asked once now, so that the start-up knows the desktop
    // as it is.
    TrayHostWatch(QDBusConnection bus, X11Tray x11Tray, QObject* parent = nullptr);
    // The running desktop: the session bus and, on X11, the display's tray.
    static X11Tray DisplayX11Tray();

    TrayHost Current() const { return current_; }

Q_SIGNALS:
    void changed(TrayHost host);

private Q_SLOTS:
    void AskStatusNotifierHost();

private:
    void OnStatusNotifierAnswer(QDBusPendingCallWatcher* call, quint64 question);
    void CheckX11Tray();
    void Update();

    enum class Kind { Unknown, StatusNotifier, X11 };

    QDBusConnection bus_;
    X11Tray x11Tray_;
    // Null while the tray is asked every second.
    std::unique_ptr<QObject> x11TrayFollowed_;
    quint64 questionsAsked_ = 0;  // only the answer to the latest question counts
    bool statusNotifierHost_ = false;
    bool x11TrayPresent_ = false;
    Kind kind_ = Kind::Unknown;
    TrayHost current_;
};
