// SPDX-License-Identifier: GPL-3.0-or-later
// The program's session bus service: its name, its interface, and a second start that
// brings the settings window of the running program back.
#include "ApplicationFixture.h"
#include "PrivateBus.h"
#include "bus/BusService.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <future>

namespace {
constexpr int kAnsweredWithinMs = 5000;

MeterFigures NoFigures() {
    return {};
}

// The second start runs in a process of its own and blocks while it asks; here the asking
// thread waits while this one serves the request.
std::future<bool> AskFromAnotherProgram(QDBusConnection connection) {
    return std::async(std::launch::async,
                      [connection] { return BusService::AskToShowSettings(connection); });
}

class BusServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        QString why;
        if (!bus.Start(&why)) GTEST_SKIP() << qPrintable(why);
    }

    // The introspection data of the program's object, as a desktop tool would read it.
    QString Introspect() {
        const QDBusPendingCall call = bus.Connect(QStringLiteral("tool"))
                                          .asyncCall(QDBusMessage::createMethodCall(
                                              BusService::kServiceName, BusService::kObjectPath,
                                              QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                              QStringLiteral("Introspect")));
        if (!QTest::qWaitFor([&] { return call.isFinished(); }, kAnsweredWithinMs)) return {};
        const QDBusMessage reply = call.reply();
        return reply.arguments().isEmpty() ? QString() : reply.arguments().first().toString();
    }

    PrivateBus bus;
};
}  // namespace

TEST_F(BusServiceTest, runningProgramAnswersShowSettingsOnItsInterface) {
    BusService service(bus.Connect(QStringLiteral("first")), NoFigures);
    ASSERT_TRUE(service.Register());
    QSignalSpy requests(&service, &BusService::showSettingsRequested);

    std::future<bool> asked = AskFromAnotherProgram(bus.Connect(QStringLiteral("second")));
    ASSERT_TRUE(requests.wait(kAnsweredWithinMs));
    EXPECT_TRUE(asked.get());

    const QString xml = Introspect();
    EXPECT_TRUE(xml.contains(QStringLiteral("<interface name=\"org.example.Vantoril\">")))
        << qPrintable(xml);
    EXPECT_TRUE(xml.contains(QStringLiteral("<method name=\"ShowSettings\"")));
    EXPECT_TRUE(xml.contains(
        QStringLiteral("<property name=\"ReceivedBytes\" type=\"t\" access=\"read\"/>")));
}

TEST_F(BusServiceTest, knownMethodsWithWrongArgumentsAreAnsweredInvalidArgs) {
    BusService service(bus.Connect(QStringLiteral("first")), NoFigures);
    ASSERT_TRUE(service.Register());
    for (const auto& [interface, member, arguments] :
         {std::tuple{"org.example.Vantoril", "ShowSettings", QVariantList{7}},
          {"org.freedesktop.DBus.Properties", "Get", {42, QStringLiteral("ReceivedBytes")}}}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            BusService::kServiceName, BusService::kObjectPath, interface, member);
        call.setArguments(arguments);
        const QDBusPendingCall pending = bus.Connect(QStringLiteral("tool")).asyncCall(call);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, kAnsweredWithinMs));
        EXPECT_EQ(pending.reply().errorName(),
                  QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    }
}

TEST_F(BusServiceTest, nameStaysWithTheFirstProgramAndGoesWithIt) {
    auto first = std::make_unique<BusService>(bus.Connect(QStringLiteral("first")), NoFigures);
    ASSERT_TRUE(first->Register());
    BusService second(bus.Connect(QStringLiteral("second")), NoFigures);
    QString error;
    EXPECT_FALSE(second.Register(&error));
    EXPECT_FALSE(error.isEmpty());

    first.reset();
    EXPECT_FALSE(BusService::AskToShowSettings(bus.Connect(QStringLiteral("third"))))
        << "nobody holds the name any more";
}

TEST(BusServiceWithoutBus, nothingIsOfferedAndNothingAsked) {
    const QDBusConnection none(QStringLiteral("never connected"));
    BusService service(none, NoFigures);
    EXPECT_FALSE(service.Register());
    EXPECT_FALSE(BusService::AskToShowSettings(none));
}

namespace {
class SecondStart : public ApplicationOnBus {};
}  // namespace

// Without a tray, "Отмена" leaves the settings window minimised; a second start of the
// program brings it back.
TEST_F(SecondStart, bringsTheMinimisedSettingsWindowOfTheRunningProgramBack) {
    WriteSettings("");
    Run(TrayHost{false, false}, bus.Connect(QStringLiteral("first")));
    SettingsWindow& settings = app->SettingsUi();
    settings.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    ASSERT_TRUE(settings.isMinimized());

    std::future<bool> asked = AskFromAnotherProgram(bus.Connect(QStringLiteral("second")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !settings.isMinimized(); }, kAnsweredWithinMs));
    EXPECT_TRUE(asked.get());
    EXPECT_TRUE(settings.isVisible());
}

// With a tray the running program is not disturbed: a second start asks it for nothing.
TEST_F(SecondStart, leavesARunningProgramWithATrayAlone) {
    BusService running(bus.Connect(QStringLiteral("first")), NoFigures);
    ASSERT_TRUE(running.Register());
    QSignalSpy asked(&running, &BusService::showSettingsRequested);
    SingleInstance held(lockFolder.Path(), programFolder.Path());
    ASSERT_TRUE(held.Acquire());
    QString told;
    CloseNextBox(&told);
    Run(TrayHost{true, true}, bus.Connect(QStringLiteral("second")));
    // Answered after whatever the second start sent before it.
    QDBusMessage read =
        QDBusMessage::createMethodCall(BusService::kServiceName, BusService::kObjectPath,
                                       "org.freedesktop.DBus.Properties", "GetAll");
    read << BusService::kMeterInterface;
    const QDBusPendingCall answer = bus.Connect(QStringLiteral("panel")).asyncCall(read);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.isFinished(); }, kAnsweredWithinMs));
    EXPECT_EQ(asked.count(), 0);
}
