// SPDX-License-Identifier: GPL-3.0-or-later
// The sampling tick's order of steps and what it leaves in the counters.
#include "FakeLink.h"
#include "FixedClock.h"
#include "ShippedFiles.h"
#include "TempFolder.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "indicator/IndicatorWindowSteps.h"
#include "indicator/SampleTick.h"
#include "indicator/TrafficCounters.h"

#include <QCoreApplication>
#include <QDataStream>

#include <gtest/gtest.h>

namespace {

// Records the window steps and what the counters were when the window was refreshed.
class RecordingWindow final : public IndicatorWindowSteps {
public:
    explicit RecordingWindow(const TrafficCounters& counters) : counters_(counters) {}
    void SetWindowOpacity(int opacity) override {
        steps.push_back("opacity " + std::to_string(opacity));
    }
    void RefreshIndicator() override {
        steps.push_back("refresh");
        shownRecvMB.push_back(counters_.RecvMB);
    }
    void SetWindowHeightTwips(int twips) override {
        steps.push_back("height " + std::to_string(twips));
    }

    std::vector<std::string> steps;
    std::vector<float> shownRecvMB;

private:
    const TrafficCounters& counters_;
};

class SampleTickTest : public ::testing::Test {
protected:
    SampleTickTest()
        : folder(temp.Path()), tick(folder, clock, link, settings, counters), window(counters) {}

    // The files' change notices reach the tick through the event loop, as in the program.
    void RunTick() {
        QCoreApplication::processEvents();
        tick.Run(window);
    }

    void WriteSettings(const QByteArray& lines) {
        temp.Write("inet.conf", "[Vantoril]\r\n" + lines);
    }

    // Hour classes (24 little-endian int16) and class prices (4 little-endian floats).
    void WriteTariff(int16_t classAtEveryHour, float price) {
        QByteArray hours, prices;
        QDataStream h(&hours, QIODevice::WriteOnly), p(&prices, QIODevice::WriteOnly);
        h.setByteOrder(QDataStream::LittleEndian);
        p.setByteOrder(QDataStream::LittleEndian);
        p.setFloatingPointPrecision(QDataStream::SinglePrecision);
        for (int i = 0; i < 24; ++i) h << classAtEveryHour;
        for (int i = 0; i < 4; ++i) p << (i == classAtEveryHour ? price : 0.0f);
        temp.Write("tar.dat", hours);
        temp.Write("tar.money.dat", prices);
    }

    void Connect(uint64_t received, uint64_t milliseconds) {
        link.connected = true;
        link.stats.bytesReceived = received;
        link.stats.connectedMs = milliseconds;
    }

    TempFolder temp;
    ProgramFolder folder;
    FixedClock clock;
    FakeLink link;
    Settings settings;
    TrafficCounters counters;
    SampleTick tick;
    RecordingWindow window;
};

}  // namespace

TEST_F(SampleTickTest, windowStepsComeFirstAndShowThePreviousTick) {
    WriteSettings("Transparent=200\r\nfull=1\r\n");
    Connect(1572864, 1000);
    RunTick();
    RunTick();
    const std::vector<std::string> once = {"opacity 200", "refresh", "height 1770"};
    ASSERT_EQ(window.steps.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(window.steps.begin(), window.steps.begin() + 3), once);
    EXPECT_EQ(window.shownRecvMB, (std::vector<float>{0.0f, 1.5f}));
}

TEST_F(SampleTickTest, settingsAreReadAgainAtEveryTick) {
    WriteSettings("Transparent=300\r\nfull=2\r\n");
    RunTick();
    EXPECT_EQ(window.steps[0], "opacity 255");  // out of range reads as opaque
    EXPECT_EQ(window.steps[2], "height 1305");
    WriteSettings("Transparent=10\r\nfull=1\r\n");
    RunTick();
    EXPECT_EQ(window.steps[3], "opacity 10");
    EXPECT_EQ(window.steps[5], "height 1770");
    EXPECT_EQ(settings.full, 1);
}

TEST_F(SampleTickTest, countersFreezeWhileTheLinkIsDown) {
    WriteTariff(1, 2.0f);
    Connect(1572864, 90000);
    RunTick();
    EXPECT_EQ(counters.RecvMB, 1.5f);
    EXPECT_EQ(counters.RecvCost, 3.0f);
    link.connected = false;
    link.stats = LinkStats();
    for (int i = 0; i < 3; ++i) RunTick();
    EXPECT_EQ(counters.RecvMB, 1.5f);
    EXPECT_EQ(counters.OnlineSeconds, 90);
    EXPECT_EQ(counters.RecvCost, 3.0f);
    EXPECT_EQ(counters.Stats.bytesReceived, 1572864u);
}

TEST_F(SampleTickTest, missingTariffFilesLeaveCostsAtZeroWhileTrafficMoves) {
    Connect(1048576, 60000);
    RunTick();
    Connect(2097152, 120000);
    RunTick();
    EXPECT_EQ(counters.RecvMB, 2.0f);
    EXPECT_EQ(counters.OnlineSeconds, 120);
    EXPECT_EQ(counters.RecvCost, 0.0f);
    EXPECT_EQ(counters.TotalCost, 0.0f);
    EXPECT_EQ(counters.TimeCost, 0.0f);
}

TEST_F(SampleTickTest, aPriceEditRepricesTheWholeConnectionAnHourEditOnlyWhatFollows) {
    WriteTariff(2, 30.0f);
    Connect(0, 90000);
    RunTick();
    EXPECT_EQ(counters.TimeCost, 0.75f);
    WriteTariff(2, 60.0f);  // the price is raised
    RunTick();
    EXPECT_EQ(counters.TimeCost, 1.5f);
    temp.Write("tar.dat", QByteArray(48, '\0'));  // every hour now class 0, which costs nothing
    Connect(0, 180000);
    RunTick();
    EXPECT_EQ(counters.TimeCost, 1.5f);  // the first 90 s stay in class 2
}

TEST_F(SampleTickTest, theSharedRecordIsRefilledAndTheRateFollowsTheHourAcrossTicks) {
    WriteSettings("Transparent=40\r\nfull=1\r\n");
    WriteTariff(2, 30.0f);
    QByteArray hours(48, '\0');
    hours[2 * 13] = 2;  // 12:00 is class 0 (price 0), 13:00 class 2
    temp.Write("tar.dat", hours);
    Connect(0, 3600000);
    RunTick();
    EXPECT_EQ(counters.TimeCost, 0.0f);
    settings.full = 0;  // someone else's change of the record, not of the file
    clock.Set(QDateTime(QDate(2026, 1, 15), QTime(13, 0)));
    Connect(0, 7200000);  // the second hour online is the first at a price
    RunTick();
    EXPECT_EQ(settings.full, 1);
    EXPECT_EQ(counters.TimeCost, 30.0f);
}

TEST_F(SampleTickTest, theShippedTariffPricesEachHoursTrafficAtItsOwnClass) {
    temp.Write("tar.dat", ShippedDefault(QStringLiteral("tar.dat")));
    temp.Write("tar.money.dat", ShippedDefault(QStringLiteral("tar.money.dat")));
    struct Step {
        QTime at;
        uint64_t megabytes, seconds;
        float recvCost, timeCost;
    };
    // Night (0.5 a MB) into day (2), then a new connection from day into evening (1).
    const Step steps[] = {{QTime(7, 59, 0), 300, 3540, 150, 0.49f},
                          {QTime(8, 0, 30), 400, 3630, 350, 0.54f},
                          {QTime(18, 59, 0), 100, 60, 200, 0.03f},
                          {QTime(19, 0, 30), 150, 150, 250, 0.06f}};
    float before = 0;
    for (const Step& step : steps) {
        clock.Set(QDateTime(QDate(2026, 1, 15), step.at));
        Connect(step.megabytes << 20, step.seconds * 1000);
        link.stats.bytesSent = step.megabytes << 18;  // a quarter of it sent
        RunTick();
        EXPECT_EQ(counters.RecvCost, step.recvCost) << step.at.toString().toStdString();
        EXPECT_EQ(counters.SentCost, step.recvCost / 4) << step.at.toString().toStdString();
        EXPECT_EQ(counters.TimeCost, step.timeCost) << step.at.toString().toStdString();
        if (step.at.minute() == 0) {
            EXPECT_GE(counters.TotalCost, before);  // never falls across the hour
        }
        before = counters.TotalCost;
    }
}
