// SPDX-License-Identifier: GPL-3.0-or-later
// Asking the X server for the tray's selection owner, and hearing of its changes.
#include "tray/X11SystemTray.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>

#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace {
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t* ApplicationConnection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

int DefaultScreen() {
    int screen = 0;
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen)) std::free(host);
    return screen;
}

// The tray's selection is named once: the answer is the same for the whole session.
xcb_atom_t TraySelection(xcb_connection_t* connection) {
    static const xcb_atom_t selection = [connection] {
        const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(DefaultScreen());
        const XcbReply<xcb_intern_atom_reply_t> atom(
            xcb_intern_atom_reply(
                connection, xcb_intern_atom(connection, 0, name.size(), name.data()), nullptr),
            &std::free);
        return atom ? atom->atom : xcb_atom_t(XCB_NONE);
    }();
    return selection;
}

xcb_window_t DefaultRoot(xcb_connection_t* connection) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int screen = DefaultScreen(); screen > 0 && screens.rem > 1; --screen)
        xcb_screen_next(&screens);
    return screens.rem ? screens.data->root : xcb_window_t(XCB_NONE);
}

// XFixes answers only a client that has agreed a version with it, once per connection. Qt's
// xcb plugin agrees one on this same connection when it starts; asking again for the
// version this library knows (the one Qt asks for too) leaves that agreement as it was and
// tells whether selection events (version 1 and later) are there at all.
bool XFixesSelectionEvents(xcb_connection_t* connection, uint8_t* firstEvent) {
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (!extension || !extension->present) return false;
    const XcbReply<xcb_xfixes_query_version_reply_t> version(
        xcb_xfixes_query_version_reply(
            connection,
            xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION,
                                     XCB_XFIXES_MINOR_VERSION),
            nullptr),
        &std::free);
    if (!version || version->major_version < 1) return false;
    *firstEvent = extension->first_event;
    return true;
}

constexpr uint32_t kOwnerChanges = XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                   XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                   XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE;

// Sees the tray's selection notifications among the events Qt reads, and lets every event
// on to Qt. The news is passed on from the event loop, not from inside Qt's dispatch, and a
// burst of notifications (a tray that quits and another that starts) is passed on once.
class SelectionOwnerEvents : public QObject, public QAbstractNativeEventFilter {
public:
    SelectionOwnerEvents(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t selection,
                         uint8_t notifyEvent, std::function<void()> changed)
        : connection_(connection),
          root_(root),
          selection_(selection),
          notifyEvent_(notifyEvent),
          changed_(std::move(changed)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~SelectionOwnerEvents() override {
        if (ApplicationConnection() != connection_) return;  // the connection has gone
        QCoreApplication::instance()->removeNativeEventFilter(this);
        xcb_xfixes_select_selection_input(connection_, root_, selection_, 0);
        xcb_flush(connection_);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (passingOn_ || type != QByteArrayLiteral("xcb_generic_event_t")) return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != notifyEvent_ + XCB_XFIXES_SELECTION_NOTIFY)
            return false;
        if (reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event)->selection !=
            selection_)
            return false;
        passingOn_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                passingOn_ = false;
                changed_();
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t selection_;
    uint8_t notifyEvent_;
    std::function<void()> changed_;
    bool passingOn_ = false;  // a notification is on its way through the event loop
};
}  // namespace

// Asked of the X server directly: Qt's own question would also settle, once and for the
// whole process, whether tray icons go over D-Bus.
bool X11SystemTrayPresent() {
    xcb_connection_t* connection = ApplicationConnection();
    if (!connection) return false;
    const xcb_atom_t selection = TraySelection(connection);
    if (selection == XCB_NONE) return false;
    const XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}

std::unique_ptr<QObject> FollowX11SystemTray(std::function<void()> changed) {
    xcb_connection_t* connection = ApplicationConnection();
    uint8_t firstEvent = 0;
    if (!connection || !XFixesSelectionEvents(connection, &firstEvent)) return nullptr;
    const xcb_atom_t selection = TraySelection(connection);
    const xcb_window_t root = DefaultRoot(connection);
    if (selection == XCB_NONE || root == XCB_NONE) return nullptr;
    // Checked, so that the server has taken the request before the caller first asks who
    // owns the tray: no change can fall between that answer and the first notification.
    const XcbReply<xcb_generic_error_t> error(
        xcb_request_check(connection, xcb_xfixes_select_selection_input_checked(
                                          connection, root, selection, kOwnerChanges)),
        &std::free);
    if (error) return nullptr;
    return std::make_unique<SelectionOwnerEvents>(connection, root, selection, firstEvent,
                                                  std::move(changed));
}
