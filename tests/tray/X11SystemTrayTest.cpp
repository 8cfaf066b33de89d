// SPDX-License-Identifier: GPL-3.0-or-later
// The X11 tray on a real X server (run through x_session.sh): trays that start, quit and
// die are seen through the server's word alone, with no question asked in between.
#include "tray/TrayHostWatch.h"
#include "tray/X11SystemTray.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace {
constexpr int kSeenWithinMs = 5000;

// A tray program in miniature: a connection of its own to the X server and a window that
// owns the tray's selection, as a panel's tray does.
class TrayOwner {
public:
    TrayOwner() : connection_(xcb_connect(nullptr, &screen_)) {}
    ~TrayOwner() { Die(); }

    [[nodiscard]] bool Start() {
        if (xcb_connection_has_error(connection_)) return false;
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
        for (int screen = screen_; screen > 0; --screen) xcb_screen_next(&screens);
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screens.data->root, 0, 0, 1,
                          1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const QByteArray name = "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen_);
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, name.size(), name.data()), nullptr);
        if (!atom) return false;
        xcb_set_selection_owner(connection_, window_, atom->atom, XCB_CURRENT_TIME);
        std::free(atom);
        return Sync();
    }
    // The tray quits properly: its window goes, and with it the selection.
    [[nodiscard]] bool Quit() {
        xcb_destroy_window(connection_, window_);
        return Sync();
    }
    // The tray's program dies: the server drops its connection and the selection with it.
    void Die() {
        if (connection_) xcb_disconnect(connection_);
        connection_ = nullptr;
    }

private:
    // A round trip: the server has done all that was asked before it answers.
    bool Sync() {
        xcb_get_input_focus_reply_t* focus =
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr);
        std::free(focus);
        return focus != nullptr;
    }

    int screen_ = 0;
    xcb_connection_t* connection_;
    xcb_window_t window_ = XCB_NONE;
};

bool ServerHasXFixes() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const xcb_query_extension_reply_t* xfixes =
        xcb_get_extension_data(x11->connection(), &xcb_xfixes_id);
    return xfixes && xfixes->present;
}

struct X11TrayOnAnXServer : ::testing::Test {
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server: run by x_session.sh";
        if (X11SystemTrayPresent()) GTEST_SKIP() << "this display has a tray of its own";
        if (!ServerHasXFixes()) GTEST_SKIP() << "this X server has no XFixes extension";
    }
};

bool Available(const TrayHostWatch& watch) {
    return watch.Current().available;
}
bool Polls(const TrayHostWatch& watch) {
    return !watch.findChildren<QTimer*>().isEmpty();
}
}  // namespace

TEST_F(X11TrayOnAnXServer, traysThatStartQuitAndDieAreSeenWithoutAsking) {
    TrayHostWatch::X11Tray display = TrayHostWatch::DisplayX11Tray();
    int questions = 0;
    display.present = [&questions, present = display.present] {
        ++questions;
        return present();
    };
    TrayHostWatch watch(QDBusConnection(QStringLiteral("never connected")), display);
    ASSERT_FALSE(Polls(watch)) << "the server's XFixes was not used";
    EXPECT_FALSE(Available(watch));

    TrayOwner first;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Available(watch); }, kSeenWithinMs));
    EXPECT_TRUE(watch.Current().reportsDoubleClicks);
    ASSERT_TRUE(first.Quit());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Available(watch); }, kSeenWithinMs));

    TrayOwner second;
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Available(watch); }, kSeenWithinMs));
    second.Die();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Available(watch); }, kSeenWithinMs));

    const int asked = questions;
    QTest::qWait(1500);
    EXPECT_EQ(questions, asked) << "the tray was asked again with no word from the server";
}

TEST_F(X11TrayOnAnXServer, noWordOnceTheFollowingEnds) {
    int told = 0;
    std::unique_ptr<QObject> followed = FollowX11SystemTray([&told] { ++told; });
    ASSERT_TRUE(followed);
    TrayOwner tray;
    ASSERT_TRUE(tray.Start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return told > 0; }, kSeenWithinMs));

    followed.reset();
    const int before = told;
    tray.Die();
    ASSERT_TRUE(QTest::qWaitFor([] { return !X11SystemTrayPresent(); }, kSeenWithinMs));
    QTest::qWait(200);  // the server's word, had it come, is read by now
    EXPECT_EQ(told, before);
}
