// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon control: tooltip, picture, showing and the click events.
#include "tray/ui/TrayIcon.h"

#include <QMenu>
#include <QPixmap>

#include <gtest/gtest.h>
#include <vector>

namespace {
QIcon SomeIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}

QSystemTrayIcon& PlatformIcon(TrayIcon& tray) {
    return *tray.findChild<QSystemTrayIcon*>();
}

struct Event {
    bool dbl;
    int button;
    bool operator==(const Event& other) const { return dbl == other.dbl && button == other.button; }
};

}  // namespace

TEST(TrayIconToolTip, textIsFollowedByOneSpace) {
    TrayIcon tray;
    tray.SetToolTip(QStringLiteral("Vantoril v2.1"));
    EXPECT_EQ(tray.ToolTip(), QStringLiteral("Vantoril v2.1 "));
    EXPECT_EQ(PlatformIcon(tray).toolTip(), QStringLiteral("Vantoril v2.1 "));
    tray.SetToolTip(QString());
    EXPECT_EQ(tray.ToolTip(), QStringLiteral(" "));
}

TEST(TrayIconToolTip, longTextIsCutTo127Characters) {
    TrayIcon tray;
    tray.SetToolTip(QString(200, QLatin1Char('x')));
    EXPECT_EQ(tray.ToolTip(), QString(127, QLatin1Char('x')));
}

TEST(TrayIconShow, needsAPictureAndHideRemovesIt) {
    TrayIcon tray;
    tray.Show();
    EXPECT_FALSE(tray.IconShown());
    tray.SetIcon(SomeIcon());
    tray.Show();
    tray.Show();
    EXPECT_TRUE(tray.IconShown());
    EXPECT_TRUE(PlatformIcon(tray).isVisible());
    tray.Hide();
    EXPECT_FALSE(tray.IconShown());
    EXPECT_FALSE(PlatformIcon(tray).isVisible());
}

TEST(TrayIconShow, nullPictureHidesAndANewOneWaitsForShow) {
    TrayIcon tray;
    tray.SetIcon(SomeIcon());
    tray.Show();
    tray.SetIcon(QIcon());
    EXPECT_FALSE(tray.IconShown());
    tray.SetIcon(SomeIcon());
    EXPECT_FALSE(tray.IconShown());
    tray.Show();
    EXPECT_TRUE(tray.IconShown());
}

TEST(TrayIconBalloon, timeoutAbove32SecondsOverflows) {
    TrayIcon tray;
    QString error;
    EXPECT_TRUE(
        tray.ShowBalloonToolTip(10, QStringLiteral("text"), QStringLiteral("title"), 1, &error));
    EXPECT_TRUE(
        tray.ShowBalloonToolTip(32, QStringLiteral("text"), QStringLiteral("title"), 1, &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(
        tray.ShowBalloonToolTip(33, QStringLiteral("text"), QStringLiteral("title"), 1, &error));
    EXPECT_EQ(error, QStringLiteral("Overflow"));
    EXPECT_FALSE(tray.ShowBalloonToolTip(-33, QString(), QString(), 0));
}

class TrayIconEvents : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&tray, &TrayIcon::Click, [this](int button) {
            events.push_back({false, button});
        });
        QObject::connect(&tray, &TrayIcon::DblClick, [this](int button) {
            events.push_back({true, button});
        });
    }
    void Press(QSystemTrayIcon::ActivationReason reason) {
        Q_EMIT PlatformIcon(tray).activated(reason);
    }

    TrayIcon tray;
    std::vector<Event> events;
};

// A program started before the panel holds its platform icon back until a notification
// area is there; what was set meanwhile reaches the icon as it is made.
TEST(TrayIconAttach, settingsMadeBeforeAttachingReachThePlatformIcon) {
    TrayIcon tray(nullptr, TrayIcon::Attach::Later);
    QMenu menu;
    tray.SetIcon(SomeIcon());
    tray.SetToolTip(QStringLiteral("Vantoril v2.1"));
    tray.SetContextMenu(&menu);
    tray.Show();
    EXPECT_TRUE(tray.IconShown()) << "the request is kept";
    EXPECT_TRUE(tray.ShowBalloonToolTip(5, QStringLiteral("text"), QString(), 1));
    EXPECT_FALSE(tray.Attached());
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>(), nullptr);

    tray.AttachToNotificationArea();
    ASSERT_TRUE(tray.Attached());
    QSystemTrayIcon& icon = PlatformIcon(tray);
    EXPECT_TRUE(icon.isVisible());
    EXPECT_FALSE(icon.icon().isNull());
    EXPECT_EQ(icon.toolTip(), QStringLiteral("Vantoril v2.1 "));
    EXPECT_EQ(icon.contextMenu(), &menu);

    // A notification area that restarts gets the same icon again, shown.
    tray.AttachToNotificationArea();
    EXPECT_EQ(tray.findChildren<QSystemTrayIcon*>().size(), 1);
    EXPECT_TRUE(icon.isVisible());
    tray.SetContextMenu(nullptr);
    EXPECT_EQ(icon.contextMenu(), nullptr);
}

TEST(TrayIconAttach, iconHiddenBeforeAttachingStaysHidden) {
    TrayIcon tray(nullptr, TrayIcon::Attach::Later);
    tray.SetIcon(SomeIcon());
    tray.Show();
    tray.Hide();
    tray.AttachToNotificationArea();
    EXPECT_FALSE(PlatformIcon(tray).isVisible());
    tray.Show();
    EXPECT_TRUE(PlatformIcon(tray).isVisible());
}

TEST_F(TrayIconEvents, pressesBecomeClickAndDblClickWithTheirButton) {
    Press(QSystemTrayIcon::Context);
    Press(QSystemTrayIcon::Trigger);
    Press(QSystemTrayIcon::DoubleClick);
    Press(QSystemTrayIcon::MiddleClick);
    const std::vector<Event> expected{{false, 2}, {false, 1}, {true, 1}};
    EXPECT_EQ(events, expected);
    EXPECT_FALSE(tray.InHandler());
}

TEST_F(TrayIconEvents, pressDuringAHandlerIsDropped) {
    bool sawInHandler = false;
    QObject::connect(&tray, &TrayIcon::Click, [&](int button) {
        sawInHandler = tray.InHandler();
        if (button == 2) Press(QSystemTrayIcon::Context);  // the menu is still open
    });
    Press(QSystemTrayIcon::Context);
    EXPECT_TRUE(sawInHandler);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_FALSE(tray.InHandler());
    Press(QSystemTrayIcon::Trigger);
    EXPECT_EQ(events.size(), 2u);
}
