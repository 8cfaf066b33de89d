// SPDX-License-Identifier: GPL-3.0-or-later
// The balance, roaming and the metered mark against dbusmock's NetworkManager and a
// ModemManager modem built with dbusmock's generic calls, on a private bus.
#include "FixedClock.h"
#include "MockNetworkManager.h"
#include "SteppingClock.h"
#include "TempFolder.h"
#include "core/Settings.h"
#include "link/NetworkManagerLink.h"
#include "modem/ModemFeatures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kDevice = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString k3gpp = QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp");
const QString kUssd = QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp.Ussd");
constexpr uint kModemDevice = 8, kHome = 1, kRoaming = 5, kUssdIdle = 1, kUssdActive = 2;

class ModemFeaturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        mock = std::make_unique<MockNetworkManager>();
        if (!mock->Unavailable().isEmpty()) GTEST_SKIP() << mock->Unavailable().toStdString();
        modem = mock->AddModemWithBearer({});
        mock->AddModemProperties(modem, k3gpp,
                                 {{"RegistrationState", kHome},
                                  {"OperatorName", QStringLiteral("Домашний")},
                                  {"OperatorCode", QStringLiteral("25001")}});
        mock->AddModemProperties(modem, kUssd, {{"State", kUssdIdle}});
        Answer(QStringLiteral("ret = 'Баланс: 95,00 р.'"));
        const QString device = mock->AddDevice("gsm0", "ppp0", kModemDevice);
        mock->AddProperties(device, kDevice, {{"Udi", modem}, {"Metered", 4u}});
        profile = mock->AddProfileSettings(
            {{"connection", QVariantMap{{"id", QStringLiteral("Мобильный")}, {"type", "gsm"}}},
             {"gsm", QVariantMap{{"apn", "internet"}, {"number", "*99#"}}},
             {"ipv4", QVariantMap{{"method", "auto"}, {"route-metric", qlonglong(700)}}}});
        mock->Activate(device, profile, QStringLiteral("gsm"));
        link = std::make_unique<NetworkManagerLink>(mock->Bus(), steady, QString(), temp.Path());
        ASSERT_TRUE(Eventually([&] { return !link->IsScanning(); }));
        features = std::make_unique<ModemFeatures>(mock->Bus(), steady, clock,
                                                   QLocale(QLocale::Russian, QLocale::Russia));
        for (auto told : {&ModemFeatures::notice, &ModemFeatures::alert})
            QObject::connect(features.get(), told,
                             [this](const QString& text) { notices << text; });
        QObject::connect(features.get(), &ModemFeatures::balanceTaken,
                         [this](const BalanceEntry& entry) { taken << entry; });
        QObject::connect(features.get(), &ModemFeatures::hangUpWanted,
                         [this](uint64_t connection) { hangUps << connection; });
        settings.balance_ussd = QStringLiteral("*100#");
        settings.balance_low = 100;
    }

    // The USSD answer as Python code that sets `ret` (or raises), after a short delay.
    void Answer(const QString& code) {
        mock->SetModemMethod(modem, kUssd, "Initiate", "s", "s",
                             QStringLiteral("import time\ntime.sleep(0.2)\n") + code);
    }

    // What the link sees, as connection number `connection`.
    ModemSighting Sighting(uint64_t connection = 1) {
        const NetworkManagerConnection& watched = link->Watched();
        return {connection, watched.id, watched.modem, watched.profile, watched.metered};
    }

    // Every answer to what was sent before has been delivered: the mock answers in order.
    void Settle() {
        (void)mock->ModemCalls(modem, "Initiate");
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    }

    static bool Eventually(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > 5000) return false;
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        return true;
    }

    TempFolder temp;
    std::unique_ptr<MockNetworkManager> mock;
    QString modem, profile;
    SteppingClock steady;
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(18, 20))};
    std::unique_ptr<NetworkManagerLink> link;
    std::unique_ptr<ModemFeatures> features;
    Settings settings;
    QStringList notices;
    QList<BalanceEntry> taken;
    QList<uint64_t> hangUps;
};

// The watched gsm device names its modem and profile: without them nothing is asked.
// Asked once after connecting, not again until balance_every has passed; the fall below
// balance_low is told at the first answer below it only.
TEST_F(ModemFeaturesTest, AsksOnceAfterConnectingThenEveryPeriodAndTellsTheFallOnce) {
    EXPECT_EQ(Sighting().modem, modem);
    EXPECT_EQ(Sighting().profile, profile);
    EXPECT_EQ(Sighting().metered, 4u);

    features->Tick(Sighting(), settings, 0);
    ASSERT_TRUE(Eventually([&] { return taken.size() == 1; }));
    EXPECT_EQ(taken[0].amount, 95.0);
    EXPECT_EQ(taken[0].text, QStringLiteral("Баланс: 95,00 р."));
    EXPECT_EQ(BalanceLine(*features->Balance(), QStringLiteral("₽"), QLocale(QLocale::Russian)),
              QStringLiteral("Баланс: 95,00 ₽ (оператор, 18:20)"));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith(QStringLiteral("Баланс ниже 100,00")))
        << notices[0].toStdString();

    steady.Step(59 * 60000);
    features->Tick(Sighting(), settings, 0);
    Settle();
    EXPECT_EQ(mock->ModemCalls(modem, "Initiate").size(), 1);

    steady.Step(60000);
    Answer(QStringLiteral("ret = 'Ваш баланс 80.10 RUB'"));
    features->Tick(Sighting(), settings, 0);
    ASSERT_TRUE(Eventually([&] { return taken.size() == 2; }));
    EXPECT_EQ(notices.size(), 1);  // still below: no second alert
}

// A session already under way is left alone; a refusal by the network is said once in
// plain words; an answer without an amount is kept and says so.
TEST_F(ModemFeaturesTest, LeavesAnActiveSessionAloneAndSaysFailuresOnce) {
    mock->AddModemProperties(modem, kUssd, {{"State", kUssdActive}}, true);
    features->Tick(Sighting(), settings, 0);
    ASSERT_TRUE(Eventually([&] { return !features->BalanceMessage().isEmpty(); }));
    EXPECT_TRUE(features->BalanceMessage().contains(QStringLiteral("сеанс USSD")));
    EXPECT_TRUE(mock->ModemCalls(modem, "Initiate").isEmpty());

    mock->AddModemProperties(modem, kUssd, {{"State", kUssdIdle}}, true);
    Answer(
        QStringLiteral("raise dbus.exceptions.DBusException('No network', "
                       "name='org.freedesktop.ModemManager1.Error.MobileEquipment.NoNetwork')"));
    int changes = 0;
    QObject::connect(features.get(), &ModemFeatures::changed, [&] { ++changes; });
    features->AskBalanceNow();
    ASSERT_TRUE(Eventually([&] { return features->BalanceMessage().contains(u"No network"); }));
    const int afterFirst = changes;
    features->AskBalanceNow();
    Settle();
    ASSERT_TRUE(Eventually([&] { return !features->Asking(); }));
    EXPECT_EQ(mock->ModemCalls(modem, "Initiate").size(), 2);
    EXPECT_EQ(changes,
              afterFirst + 1);  // the question went out; the same failure is not said again

    Answer(QStringLiteral("ret = 'Услуга недоступна'"));
    features->AskBalanceNow();
    ASSERT_TRUE(Eventually([&] { return taken.size() == 1; }));
    EXPECT_FALSE(taken[0].amount);
    EXPECT_EQ(features->BalanceMessage(), QStringLiteral("В ответе оператора нет суммы."));
}

// Roaming is told once per connection, with the operator; roaming_hangup asks for the
// hang-up of that very connection.
TEST_F(ModemFeaturesTest, TellsRoamingOncePerConnectionAndHangsUpWhenAsked) {
    settings.balance_ussd.clear();
    settings.roaming_hangup = 1;
    mock->AddModemProperties(
        modem, k3gpp,
        {{"RegistrationState", kRoaming}, {"OperatorName", QStringLiteral("Roam GmbH")}}, true);
    features->Tick(Sighting(1), settings, 0);
    ASSERT_TRUE(Eventually([&] { return features->Roaming(); }));
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith(QStringLiteral("Подключение в роуминге: Roam GmbH\n")));
    EXPECT_EQ(hangUps, QList<uint64_t>{1});

    steady.Step(10000);
    features->Tick(Sighting(1), settings, 0);
    Settle();
    EXPECT_EQ(notices.size(), 1);

    settings.roaming_hangup = 0;
    steady.Step(10000);
    features->Tick(Sighting(2), settings, 0);
    ASSERT_TRUE(Eventually([&] { return notices.size() == 2; }));
    EXPECT_EQ(notices[1], QStringLiteral("Подключение в роуминге: Roam GmbH"));
    EXPECT_EQ(hangUps.size(), 1);
    EXPECT_TRUE(mock->ModemCalls(modem, "Initiate").isEmpty());  // no code: never asked
}

// The mark reaches the profile with every other setting kept; metered_at marks it once
// and says so; polkit's refusal is said in plain words.
TEST_F(ModemFeaturesTest, MarksTheProfileMeteredKeepingItsSettingsAndSaysARefusal) {
    settings.balance_ussd.clear();
    features->Tick(Sighting(), settings, 0);
    features->MarkMetered();
    ASSERT_TRUE(Eventually([&] { return !features->MeteredMessage().isEmpty(); }));
    EXPECT_TRUE(features->MeteredMessage().contains(QStringLiteral("теперь считается лимитным")))
        << features->MeteredMessage().toStdString();
    const QMap<QString, QVariantMap> stored = mock->ProfileSettings(profile);
    EXPECT_EQ(stored["connection"]["metered"].toInt(), 1);
    EXPECT_EQ(stored["connection"]["id"].toString(), QStringLiteral("Мобильный"));
    EXPECT_EQ(stored["gsm"]["apn"].toString(), QStringLiteral("internet"));
    EXPECT_EQ(stored["ipv4"]["route-metric"].toLongLong(), 700);

    mock->RefuseUpdate(profile, QStringLiteral("org.freedesktop.NetworkManager.PermissionDenied"));
    settings.metered_at = 80;
    features->Tick(Sighting(), settings, 79.9);
    Settle();
    EXPECT_TRUE(notices.isEmpty());
    features->Tick(Sighting(), settings, 85);
    ASSERT_TRUE(Eventually([&] { return notices.size() == 1; }));
    EXPECT_TRUE(
        notices[0].contains(QStringLiteral("Система не разрешила изменить подключение "
                                           "«Мобильный»")))
        << notices[0].toStdString();
    features->Tick(Sighting(), settings, 90);
    Settle();
    EXPECT_EQ(notices.size(), 1);
}

}  // namespace
