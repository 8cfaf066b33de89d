// SPDX-License-Identifier: GPL-3.0-or-later
// Buttons on notifications: offered only where the server has the "actions" capability,
// and the one the server reports invoked is run, as python3-dbusmock's notification
// daemon plays the server on a private bus.
#include "PrivateBus.h"
#include "tray/ui/DesktopNotifier.h"
#include "tray/ui/TrayIcon.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

class MockNotificationDaemon : public ::testing::Test {
protected:
    void TearDown() override {
        server.terminate();
        server.waitForFinished();
    }

    // The mock server with these capabilities; false when it cannot run here.
    bool Serve(const QString& capabilities, QString* why) {
        if (!bus.Start(why)) return false;
        QProcess probe;
        probe.start(QStringLiteral("/usr/bin/python3"), {"-c", "import dbusmock"});
        if (!probe.waitForFinished(10000) || probe.exitCode() != 0) {
            *why = QStringLiteral("python3-dbusmock is not installed");
            return false;
        }
        program = bus.Connect(QStringLiteral("actions-program"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.Address());
        server.setProcessEnvironment(environment);
        server.start(QStringLiteral("/usr/bin/python3"),
                     {"-m", "dbusmock", "--template", "notification_daemon", "-p",
                      QStringLiteral("{\"capabilities\": \"%1\"}").arg(capabilities)});
        if (!QTest::qWaitFor(
                [&] { return program.interface()->isServiceRegistered(kService).value(); },
                10000)) {
            *why = QStringLiteral("the notification mock did not appear");
            return false;
        }
        return true;
    }

    // The actions argument of every Notify the server was given.
    QList<QStringList> OfferedActions() {
        QDBusMessage call = QDBusMessage::createMethodCall(
            kService, kPath, QStringLiteral("org.freedesktop.DBus.Mock"),
            QStringLiteral("GetMethodCalls"));
        call << QStringLiteral("Notify");
        const QDBusMessage reply = program.call(call);
        QList<QStringList> offered;
        const QDBusArgument calls = reply.arguments().value(0).value<QDBusArgument>();
        calls.beginArray();
        while (!calls.atEnd()) {
            quint64 time = 0;
            QVariantList arguments;
            calls.beginStructure();
            calls >> time >> arguments;
            calls.endStructure();
            offered.append(arguments.value(5).toStringList());
        }
        calls.endArray();
        return offered;
    }

    void Emit(const QString& name, const QString& signature, const QVariantList& arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            kService, kPath, QStringLiteral("org.freedesktop.DBus.Mock"),
            QStringLiteral("EmitSignal"));
        call << kService << name << signature << arguments;
        ASSERT_EQ(program.call(call).type(), QDBusMessage::ReplyMessage);
    }

    QList<NotificationAction> Actions() {
        return {{QStringLiteral("hang-up"), QStringLiteral("Отключиться"), [this] { ran << 1; }},
                {QStringLiteral("history"), QStringLiteral("История"), [this] { ran << 2; }}};
    }

    PrivateBus bus;
    QProcess server;
    QDBusConnection program{QString()};
    TrayIcon tray;
    QList<int> ran;
};

}  // namespace

TEST_F(MockNotificationDaemon, aServerWithButtonsOffersThemAndRunsTheOneInvoked) {
    QString why;
    if (!Serve(QStringLiteral("body actions"), &why)) GTEST_SKIP() << qPrintable(why);
    DesktopNotifier notifier(tray, program);
    int shown = 0;
    notifier.Notify(
        QStringLiteral("Vantoril"), QStringLiteral("Бюджет периода исчерпан"),
        [&](bool reached) { shown += reached ? 1 : 100; }, Actions());
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown != 0; }, 5000));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(OfferedActions(),
              QList<QStringList>({{"hang-up", "Отключиться", "history", "История"}}));

    Emit(QStringLiteral("ActionInvoked"), QStringLiteral("us"), {1u, QStringLiteral("history")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ran.isEmpty(); }, 5000));
    EXPECT_EQ(ran, QList<int>{2});
    // Once the server has closed it, the notification's buttons are forgotten.
    Emit(QStringLiteral("NotificationClosed"), QStringLiteral("uu"), {1u, 2u});
    Emit(QStringLiteral("ActionInvoked"), QStringLiteral("us"), {1u, QStringLiteral("hang-up")});
    notifier.Notify(QStringLiteral("Vantoril"), QStringLiteral("Ещё"), [&](bool) { ++shown; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown == 2; }, 5000));
    EXPECT_EQ(ran, QList<int>{2});
}

TEST_F(MockNotificationDaemon, aServerWithoutButtonsGetsThePlainNotification) {
    QString why;
    if (!Serve(QStringLiteral("body body-markup"), &why)) GTEST_SKIP() << qPrintable(why);
    DesktopNotifier notifier(tray, program);
    bool answered = false;
    notifier.Notify(
        QStringLiteral("Vantoril"), QStringLiteral("Лимит трафика периода исчерпан"),
        [&](bool) { answered = true; }, Actions());
    ASSERT_TRUE(QTest::qWaitFor([&] { return answered; }, 5000));
    EXPECT_EQ(OfferedActions(), QList<QStringList>({{}}));
}
