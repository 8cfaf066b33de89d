// SPDX-License-Identifier: GPL-3.0-or-later
// Buttons on notifications, python3-dbusmock's notification daemon being the server: offered
// only with the "actions" capability; the one invoked runs until the notification closes.
#include "PrivateBus.h"
#include "tray/ui/DesktopNotifier.h"
#include "tray/ui/TrayIcon.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>

#include <gtest/gtest.h>

TEST(NotificationActions, offeredWithTheCapabilityAndTheInvokedOneRunsUntilClosed) {
    PrivateBus bus;
    QString why;
    if (!bus.Start(&why)) GTEST_SKIP() << qPrintable(why);
    QDBusConnection program = bus.Connect(QStringLiteral("actions-program"));
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    QDBusConnectionInterface* names = program.interface();
    TrayIcon tray;
    DesktopNotifier notifier(tray, program);
    QList<int> ran;
    int answered = 0;
    // A reply of the server comes after every signal it sent before: each round waits for one.
    const auto round = [&](const QList<NotificationAction>& actions) {
        notifier.Notify(
            "Vantoril", "Бюджет", [&](bool) { ++answered; }, actions);
        ASSERT_TRUE(QTest::qWaitFor([&, before = answered] { return answered > before; }, 5000));
    };
    const auto send = [&](const char* name, const char* signature, const QVariantList& values) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            service, "/org/freedesktop/Notifications", "org.freedesktop.DBus.Mock", "EmitSignal");
        call << service << name << signature << values;
        program.call(call);
    };
    const QList<NotificationAction> buttons{{"hang-up", "Отключиться", [&] { ran << 1; }},
                                            {"history", "История", [&] { ran << 2; }}};
    for (const QString capabilities : {"body", "body actions"}) {
        QProcess server;
        server.start("env", {"DBUS_SESSION_BUS_ADDRESS=" + bus.Address(), "/usr/bin/python3", "-m",
                             "dbusmock", "--template", "notification_daemon", "-p",
                             R"({"capabilities": ")" + capabilities + "\"}"});
        const auto served = [&] { return names->isServiceRegistered(service).value(); };
        if (!QTest::qWaitFor(served, 10000)) GTEST_SKIP() << "no python3-dbusmock here";
        round(buttons);
        send("ActionInvoked", "us", {1u, QStringLiteral("history")});
        // Closed, the notification's buttons are forgotten.
        send("NotificationClosed", "uu", {1u, 2u});
        send("ActionInvoked", "us", {1u, QStringLiteral("hang-up")});
        round({});
        EXPECT_EQ(ran, capabilities.contains(u"actions") ? QList<int>{2} : QList<int>());
        server.terminate();
        server.waitForFinished();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !served(); }, 5000));
    }
}
