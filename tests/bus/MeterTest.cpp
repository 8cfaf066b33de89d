// SPDX-License-Identifier: GPL-3.0-or-later
// The live figures for panels: what a tick publishes, what counts as changed, and the
// interface org.example.Vantoril.Meter as a panel on the bus sees it.
#include "ApplicationFixture.h"
#include "PrivateBus.h"
#include "budget/BillingPeriod.h"
#include "bus/BusService.h"
#include "bus/MeterFigures.h"
#include "bus/PropertiesChangedSignal.h"
#include "core/IniFile.h"
#include "indicator/TrafficCounters.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QTest>

namespace {
constexpr int kAnsweredWithinMs = 5000;

MeterFigures Upload() {
    MeterFigures figures;
    figures.connected = true;
    figures.connectionName = QStringLiteral("MyISP");
    figures.receivedBytes = 5'000'000'000;  // past 32 bits
    figures.sentBytes = 1000;
    figures.linkBps = 10'000'000'000;
    figures.onlineSeconds = 61;
    figures.cost = 12.34;
    figures.periodCost = 56.78;
    figures.budget = 100;
    figures.periodMb = 56.7;
    figures.capMb = 0;
    figures.message = QStringLiteral("Осталось 10 МБ");
    return figures;
}

// A panel on the bus: reads properties and hears their changes.
class Panel : public QObject {
    Q_OBJECT
public:
    explicit Panel(QDBusConnection bus) : bus_(std::move(bus)) {
        bus_.connect(BusService::kServiceName, BusService::kObjectPath,
                     QStringLiteral("org.freedesktop.DBus.Properties"),
                     QStringLiteral("PropertiesChanged"), this,
                     SLOT(OnChanged(QString, QVariantMap, QStringList)));
    }

    // The value of one property of the Meter interface, or an invalid variant.
    QVariant Get(const QString& name) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            BusService::kServiceName, BusService::kObjectPath,
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        call << BusService::kMeterInterface << name;
        const QDBusPendingCall pending = bus_.asyncCall(call);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }, kAnsweredWithinMs)) return {};
        const QDBusMessage reply = pending.reply();
        if (reply.type() != QDBusMessage::ReplyMessage) return {};
        return reply.arguments().first().value<QDBusVariant>().variant();
    }

    // Calls a method of the program's interface; true when it answered.
    bool Call(const QString& method) {
        const QDBusPendingCall pending = bus_.asyncCall(
            QDBusMessage::createMethodCall(BusService::kServiceName, BusService::kObjectPath,
                                           QStringLiteral("org.example.Vantoril"), method));
        return QTest::qWaitFor([&] { return pending.isFinished(); }, kAnsweredWithinMs) &&
               pending.reply().type() == QDBusMessage::ReplyMessage;
    }

    QList<QVariantMap> changes;
    QStringList interfaces;

private Q_SLOTS:
    void OnChanged(const QString& interface, const QVariantMap& changed, const QStringList&) {
        interfaces << interface;
        changes << changed;
    }

private:
    QDBusConnection bus_;
};
}  // namespace

TEST(MeterFiguresTest, onlyWhatChangedIsNamedWithItsBusType) {
    const MeterFigures before = Upload();
    EXPECT_TRUE(ChangedMeterProperties(before, before).isEmpty());

    MeterFigures now = before;
    now.receivedBytes += 1;
    now.message = QStringLiteral("Бюджет исчерпан");
    const QVariantMap changed = ChangedMeterProperties(before, now);
    EXPECT_EQ(changed.keys(),
              (QStringList{QStringLiteral("Message"), QStringLiteral("ReceivedBytes")}));
    EXPECT_EQ(changed.value(QStringLiteral("ReceivedBytes")).metaType(),
              QMetaType::fromType<qulonglong>());
    EXPECT_EQ(changed.value(QStringLiteral("ReceivedBytes")).toULongLong(), 5'000'000'001ULL);

    const QVariantMap all = ChangedMeterProperties(MeterFigures(), now);
    EXPECT_EQ(all.size(), 11) << "every figure but CapMB, still 0, changed";
    EXPECT_EQ(MeterProperties(now).keys(),
              (QStringList{"Balance", "BalanceText", "BalanceTime", "Budget", "CapMB", "Connected",
                           "ConnectionName", "Cost", "Currency", "LinkBps", "Message",
                           "OnlineSeconds", "PeriodBill", "PeriodCost", "PeriodMB", "ReceivedBytes",
                           "Roaming", "SentBytes"}));
}

TEST(MeterFiguresTest, madeFromTheCountersAtTheTariffTypeAndThePeriod) {
    TrafficCounters counters;
    counters.Stats.bytesReceived = 3 * 1048576;
    counters.Stats.bytesSent = 1048576;
    counters.LinkBps = 48000;
    counters.OnlineSeconds = 3600;
    counters.TotalCost = 8.0f;
    counters.TimeCost = 0.1f;  // not exactly 0.1 in single precision
    const Usage used{10 * 1048576 + 524288, 0, 20.125};
    PeriodLimits limits;
    limits.budget = 30;
    limits.capMb = 500;

    const MeterFigures traffic = MakeMeterFigures(true, QStringLiteral("MyISP"), counters, 0, used,
                                                  limits, QStringLiteral("text"));
    EXPECT_EQ(traffic.cost, 8.0);
    EXPECT_EQ(traffic.receivedBytes, 3u * 1048576);
    EXPECT_EQ(traffic.linkBps, 48000u);
    EXPECT_EQ(traffic.periodMb, 10.5);
    EXPECT_EQ(traffic.periodCost, 20.12) << "to 2 decimals, halves to even";
    EXPECT_EQ(traffic.budget, 30);
    EXPECT_EQ(traffic.capMb, 500);
    EXPECT_EQ(traffic.connectionName, QStringLiteral("MyISP"));

    const MeterFigures time = MakeMeterFigures(false, QStringLiteral("Не найдено!"), counters, 1,
                                               used, limits, QString());
    EXPECT_EQ(time.cost, 0.1) << "the time cost, to its 2 decimals";
    EXPECT_FALSE(time.connected);
    EXPECT_TRUE(time.connectionName.isEmpty()) << "no name while down";
    EXPECT_EQ(time.onlineSeconds, 3600u) << "the last connection's figures stay";
}

namespace {
class MeterOnBus : public ::testing::Test {
protected:
    void SetUp() override {
        QString why;
        if (!bus.Start(&why)) GTEST_SKIP() << qPrintable(why);
    }
    PrivateBus bus;
};
}  // namespace

TEST_F(MeterOnBus, panelReadsTheFiguresAndHearsOnlyWhatChangedOncePerPublish) {
    MeterFigures current;
    BusService service(bus.Connect(QStringLiteral("program")), [&] { return current; });
    ASSERT_TRUE(service.Register());
    Panel panel(bus.Connect(QStringLiteral("panel")));

    EXPECT_EQ(panel.Get(QStringLiteral("Connected")), QVariant(false));
    current = Upload();
    current.balance = 42.5;
    current.balanceTime = 1'700'000'000;  // the one signed figure
    service.Publish();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.changes.isEmpty(); }, kAnsweredWithinMs));
    EXPECT_EQ(panel.interfaces, QStringList{BusService::kMeterInterface});
    // Each figure as the panel's library reads it back: the same value in the same bus type.
    const QVariantMap announced = ChangedMeterProperties(MeterFigures(), current);
    ASSERT_EQ(panel.changes.first().keys(), announced.keys());
    for (auto it = announced.cbegin(); it != announced.cend(); ++it) {
        const QVariant heard = panel.changes.first().value(it.key());
        EXPECT_EQ(heard.metaType(), it.value().metaType()) << qPrintable(it.key());
        EXPECT_EQ(heard, it.value()) << qPrintable(it.key());
    }

    const QVariant received = panel.Get(QStringLiteral("ReceivedBytes"));
    EXPECT_EQ(received.metaType(), QMetaType::fromType<qulonglong>());
    EXPECT_EQ(received.toULongLong(), 5'000'000'000ULL);
    EXPECT_EQ(panel.Get(QStringLiteral("ConnectionName")), QVariant(QStringLiteral("MyISP")));
    EXPECT_EQ(panel.Get(QStringLiteral("Cost")), QVariant(12.34));
    EXPECT_EQ(panel.Get(QStringLiteral("Message")), QVariant(QStringLiteral("Осталось 10 МБ")));

    service.Publish();  // nothing changed: nothing sent
    current.onlineSeconds = 62;
    service.Publish();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.changes.size() >= 2; }, kAnsweredWithinMs));
    QTest::qWait(100);
    ASSERT_EQ(panel.changes.size(), 2);
    EXPECT_EQ(panel.changes.last(), (QVariantMap{{QStringLiteral("OnlineSeconds"), 62ULL}}));
}

// Nobody has read the figures: they are not even made. A panel's first read starts the
// announcements, which every listener hears, and they stop when the last reader leaves.
TEST_F(MeterOnBus, changesAreAnnouncedOnlyWhileAClientThatReadIsOnTheBus) {
    int made = 0;
    MeterFigures current = Upload();
    BusService service(bus.Connect(QStringLiteral("program")), [&] {
        ++made;
        return current;
    });
    ASSERT_TRUE(service.Register());
    Panel listener(bus.Connect(QStringLiteral("listener")));  // hears, never reads
    const auto tick = [&] {
        ++current.receivedBytes;
        service.Publish();
    };

    tick();
    tick();
    EXPECT_EQ(made, 0);

    auto reader = std::make_unique<Panel>(bus.Connect(QStringLiteral("reader")));
    EXPECT_EQ(reader->Get(QStringLiteral("ReceivedBytes")), QVariant(current.receivedBytes));
    tick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listener.changes.isEmpty(); }, kAnsweredWithinMs));
    EXPECT_EQ(listener.changes.first(),
              (QVariantMap{{QStringLiteral("ReceivedBytes"), current.receivedBytes}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reader->changes.isEmpty(); }, kAnsweredWithinMs));

    reader.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("reader"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const int before = made;
            tick();
            return made == before;
        },
        kAnsweredWithinMs))
        << "the reader's leaving was not noticed";
    QTest::qWait(100);  // what was announced before the reader was missed arrives
    const qsizetype heard = listener.changes.size();
    tick();
    tick();
    QTest::qWait(100);
    EXPECT_EQ(listener.changes.size(), heard);
}

TEST_F(MeterOnBus, propertiesCannotBeWrittenAndNothingHangsUp) {
    BusService service(bus.Connect(QStringLiteral("program")), [] { return MeterFigures(); });
    ASSERT_TRUE(service.Register());
    QDBusMessage set = QDBusMessage::createMethodCall(
        BusService::kServiceName, BusService::kObjectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    set << BusService::kMeterInterface << QStringLiteral("Connected")
        << QVariant::fromValue(QDBusVariant(true));
    const QDBusPendingCall pending = bus.Connect(QStringLiteral("panel")).asyncCall(set);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, kAnsweredWithinMs));
    EXPECT_EQ(pending.reply().errorName(),
              QStringLiteral("org.freedesktop.DBus.Error.PropertyReadOnly"));

    Panel panel(bus.Connect(QStringLiteral("other")));
    EXPECT_EQ(panel.Get(QStringLiteral("Connected")), QVariant(false));
    EXPECT_FALSE(panel.Get(QStringLiteral("Hours")).isValid());
    EXPECT_FALSE(panel.Call(QStringLiteral("HangUp")));
    EXPECT_FALSE(panel.Call(QStringLiteral("HangUpLink")));
}

// The signal is written by hand: a figure of a type the interface does not have must not
// leave a broken message (or none at all while saying it went), nor may a lost bus.
TEST_F(MeterOnBus, aSignalThatCannotGoOutIsNotSentAndSaysSo) {
    QDBusConnection program = bus.Connect(QStringLiteral("program"));
    BusService service(program, [] { return MeterFigures(); });
    ASSERT_TRUE(service.Register());
    Panel panel(bus.Connect(QStringLiteral("panel")));
    const PropertiesChangedSignal signal(BusService::kObjectPath, BusService::kMeterInterface);
    EXPECT_FALSE(
        signal.Send(program, {{QStringLiteral("OnlineSeconds"), 61},  // int: no such figure
                              {QStringLiteral("Connected"), true}}));
    EXPECT_TRUE(signal.Send(program, {{QStringLiteral("Connected"), true}}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.changes.isEmpty(); }, kAnsweredWithinMs));
    EXPECT_EQ(panel.changes, (QList<QVariantMap>{{{QStringLiteral("Connected"), true}}}));

    bus.Stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !program.isConnected(); }, kAnsweredWithinMs));
    EXPECT_FALSE(signal.Send(program, {{QStringLiteral("Connected"), false}}));
}

namespace {
class ProgramOnBus : public ApplicationOnBus {};
}  // namespace

// The running program publishes each sampling tick's figures and answers the window
// requests; the indicator's message goes out as it is.
TEST_F(ProgramOnBus, samplingTicksReachThePanelAndTheWindowsComeOnRequest) {
    WriteSettings("hide_start=1\r\nbudget=10\r\n");
    Run(TrayHost{true, true}, bus.Connect(QStringLiteral("program")));
    ASSERT_TRUE(started);
    Panel panel(bus.Connect(QStringLiteral("panel")));
    EXPECT_EQ(panel.Get(QStringLiteral("Connected")), QVariant(false));
    EXPECT_EQ(panel.Get(QStringLiteral("Budget")), QVariant(10.0));

    link->connected = true;
    link->stats.bytesReceived = 2 * 1048576;
    programFolder.Write(QStringLiteral("script.vsc"), "message('Привет')\r\n");
    QCoreApplication::processEvents();  // the script file's notice
    app->ScriptTick();
    app->Indicator().RunSamplingTick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.changes.isEmpty(); }, kAnsweredWithinMs));
    const QVariantMap changed = panel.changes.first();
    EXPECT_EQ(changed.value(QStringLiteral("Connected")), QVariant(true));
    EXPECT_EQ(changed.value(QStringLiteral("ConnectionName")), QVariant(QStringLiteral("MyISP")));
    EXPECT_EQ(changed.value(QStringLiteral("ReceivedBytes")), QVariant(2ULL * 1048576));
    EXPECT_EQ(changed.value(QStringLiteral("Message")), QVariant(QStringLiteral("Привет")));
    EXPECT_FALSE(changed.contains(QStringLiteral("Budget")));

    ASSERT_FALSE(app->Indicator().isVisible());
    EXPECT_TRUE(panel.Call(QStringLiteral("ShowIndicator")));
    EXPECT_TRUE(app->Indicator().isVisible());
    EXPECT_TRUE(panel.Call(QStringLiteral("ShowHistory")));
    QWidget* history = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"HistoryWindow" && w->isVisible()) history = w;
    ASSERT_NE(history, nullptr);
    history->close();
}

// The script's message is the program's, not only its indicator's label: it stays on the
// bus after the indicator is closed.
TEST_F(ProgramOnBus, theScriptsMessageOutlivesTheIndicator) {
    WriteSettings("hide_start=1\r\n");
    programFolder.Write(QStringLiteral("script.vsc"), "message('Привет')\r\n");
    Run(TrayHost{true, true}, bus.Connect(QStringLiteral("program")));
    ASSERT_TRUE(started);
    Item("mnuClose").trigger();
    ASSERT_FALSE(app->IndicatorLoaded());
    Panel panel(bus.Connect(QStringLiteral("panel")));
    EXPECT_EQ(panel.Get(QStringLiteral("Message")), QVariant(QStringLiteral("Привет")));
}

// Under a price per hour the connection's money is its time cost in the books, in the
// history and on the bus; its traffic cost, six times as much here, nowhere.
TEST_F(ProgramOnBus, underAPricePerHourTheTimeCostIsBookedRecordedAndPublished) {
    WriteSettings("hide_start=1\r\nType_tar=1\r\ncurrency=₽\r\n");
    programFolder.Write(QStringLiteral("tar.money.dat"), QByteArray("\0\0\0\x40", 4));  // 2.0
    programFolder.Write(QStringLiteral("connections/.keep"), "");
    Run(TrayHost{true, true}, bus.Connect(QStringLiteral("program")));
    ASSERT_TRUE(started);
    Panel panel(bus.Connect(QStringLiteral("panel")));
    link->connected = true;
    app->Indicator().RunSamplingTick();
    app->WatcherTick();                       // the history begins the connection's row
    link->stats.bytesReceived = 3 * 1048576;  // 6 at 2 a MB
    link->stats.connectedMs = 1800 * 1000;    // 1 at 2 an hour
    app->Indicator().RunSamplingTick();
    EXPECT_EQ(panel.Get(QStringLiteral("Cost")), QVariant(1.0));
    EXPECT_EQ(panel.Get(QStringLiteral("PeriodCost")), QVariant(1.0)) << "the running connection";
    EXPECT_EQ(panel.Get(QStringLiteral("Currency")), QVariant(QStringLiteral("₽")));

    link->connected = false;
    app->WatcherTick();
    EXPECT_EQ(ReadIni(QStringLiteral("Statistic"), QStringLiteral("01.2026"),
                      programFolder.File(QStringLiteral("connections/MyISP.vlg"))),
              QStringLiteral("1"));
    EXPECT_EQ(panel.Get(QStringLiteral("PeriodCost")), QVariant(1.0)) << "the history's row";
}
#include "MeterTest.moc"
