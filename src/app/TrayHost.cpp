// SPDX-License-Identifier: GPL-3.0-or-later
// Finding out which notification area the desktop offers.
#include "app/TrayHost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {
constexpr int kAnswerWithinMs = 500;  // a panel that hangs must not hold up the start
}  // namespace

bool StatusNotifierHostRegistered(const QDBusConnection& bus) {
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(watcher))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage answer = bus.call(get, QDBus::Block, kAnswerWithinMs);
    return answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty() &&
           answer.arguments().first().value<QDBusVariant>().variant().toBool();
}

// Asked of the X server directly: Qt's own question would also settle, once and for the
// whole process, whether tray icons go over D-Bus.
bool X11SystemTrayPresent() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return false;
    xcb_connection_t* connection = x11->connection();
    // The tray's selection is named once: the answer is the same for the whole session.
    static const xcb_atom_t selection = [connection] {
        int screen = 0;
        char* host = nullptr;
        int display = 0;
        if (xcb_parse_display(nullptr, &host, &display, &screen)) std::free(host);
        const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen);
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
            xcb_intern_atom_reply(
                connection, xcb_intern_atom(connection, 0, name.size(), name.data()), nullptr),
            &std::free);
        return atom ? atom->atom : xcb_atom_t(XCB_NONE);
    }();
    if (selection == XCB_NONE) return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}
