// SPDX-License-Identifier: GPL-3.0-or-later
// Writes an empty _NET_WM_NAME over the one Qt makes up for an empty title.
#include "core/ui/EmptyCaption.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_NONE);
}

}  // namespace

EmptyCaption::EmptyCaption(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
}

bool EmptyCaption::eventFilter(QObject* watched, QEvent* event) {
    // Both come after Qt has written its caption: WinIdChange when the window is made,
    // before it is mapped.
    if (watched == window_ &&
        (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::WinIdChange))
        Apply();
    return QObject::eventFilter(watched, event);
}

void EmptyCaption::Apply() {
    if (!window_->windowTitle().isEmpty() || !window_->internalWinId()) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return;
    xcb_connection_t* connection = x11->connection();
    // Named once: the atoms stay the same for the whole session.
    static const xcb_atom_t name = Atom(connection, "_NET_WM_NAME");
    static const xcb_atom_t utf8 = Atom(connection, "UTF8_STRING");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window_->internalWinId()),
                        name, utf8, 8, 0, nullptr);
    xcb_flush(connection);
}
