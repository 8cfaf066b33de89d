// SPDX-License-Identifier: GPL-3.0-or-later
// Following the notification area: the D-Bus watcher's name and signals, the X11 tray.
#include "tray/TrayHostWatch.h"

#include "core/Logging.h"
#include "tray/X11SystemTray.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QTimer>

namespace {
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
constexpr int kX11PollMs = 1000;
constexpr int kAnswerWithinMs = 2000;
}  // namespace

TrayHostWatch::TrayHostWatch(QDBusConnection bus, X11Tray x11Tray, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), x11Tray_(std::move(x11Tray)) {
    if (bus_.isConnected()) {
        auto* names = new QDBusServiceWatcher(kWatcherService, bus_,
                                              QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(names, &QDBusServiceWatcher::serviceOwnerChanged, this,
                &TrayHostWatch::AskStatusNotifierHost);
        for (const char* signal :
             {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
            bus_.connect(QString(), kWatcherPath, kWatcherService, QLatin1String(signal), this,
                         SLOT(AskStatusNotifierHost()));
        statusNotifierHost_ = StatusNotifierHostRegistered(bus_);
    }
    if (x11Tray_.present) {
        // Followed before the first question, so that no change falls between the two.
        if (x11Tray_.follow) x11TrayFollowed_ = x11Tray_.follow([this] { CheckX11Tray(); });
        qCDebug(lcTray) << "X11 system tray"
                        << (x11TrayFollowed_ ? "followed through XFixes" : "asked every second");
        if (!x11TrayFollowed_) {
            auto* poll = new QTimer(this);
            connect(poll, &QTimer::timeout, this, &TrayHostWatch::CheckX11Tray);
            poll->start(kX11PollMs);
        }
        x11TrayPresent_ = x11Tray_.present();
    }
    Update();
}

TrayHostWatch::X11Tray TrayHostWatch::DisplayX11Tray() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return {};
    return {&X11SystemTrayPresent, &FollowX11SystemTray};
}

void TrayHostWatch::AskStatusNotifierHost() {
    const quint64 question = ++questionsAsked_;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(get, kAnswerWithinMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this,
            [this, question](QDBusPendingCallWatcher* answer) {
                OnStatusNotifierAnswer(answer, question);
            });
}

// No watcher, an error or no answer all mean no host.
void TrayHostWatch::OnStatusNotifierAnswer(QDBusPendingCallWatcher* call, quint64 question) {
    call->deleteLater();
    if (question != questionsAsked_) return;
    const QDBusPendingReply<QDBusVariant> reply = *call;
    statusNotifierHost_ = !reply.isError() && reply.value().variant().toBool();
    qCDebug(lcTray) << "StatusNotifierItem host registered:" << statusNotifierHost_
                    << reply.error().name() << reply.error().message();
    Update();
}

void TrayHostWatch::CheckX11Tray() {
    const bool present = x11Tray_.present();
    if (present == x11TrayPresent_) return;
    x11TrayPresent_ = present;
    qCDebug(lcTray) << "X11 system tray" << (present ? "appeared" : "went away");
    Update();
}

void TrayHostWatch::Update() {
    if (kind_ == Kind::Unknown) {
        if (statusNotifierHost_)
            kind_ = Kind::StatusNotifier;
        else if (x11TrayPresent_)
            kind_ = Kind::X11;
        if (kind_ != Kind::Unknown)
            qCDebug(lcTray) << "notification area found, followed from now on:"
                            << (kind_ == Kind::X11 ? "X11 system tray" : "StatusNotifierItem host");
    }
    TrayHost host;
    host.available = (kind_ == Kind::StatusNotifier && statusNotifierHost_) ||
                     (kind_ == Kind::X11 && x11TrayPresent_);
    host.reportsDoubleClicks = host.available && kind_ == Kind::X11;
    if (host == current_) return;
    qCDebug(lcTray) << "notification area" << (host.available ? "there" : "gone")
                    << "double clicks reported:" << host.reportsDoubleClicks;
    current_ = host;
    Q_EMIT changed(current_);
}
