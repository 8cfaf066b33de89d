// SPDX-License-Identifier: GPL-3.0-or-later
// What the history window shows, from a fixture folder: the period's figures and levels,
// the chart's days and months (the books before the history), the connections; and the
// budget fields checked and stored.
#include "HistoryFixture.h"
#include "Locales.h"
#include "budget/BudgetSettings.h"
#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "history/HistoryView.h"

#include <gtest/gtest.h>

using namespace history_fixture;

namespace {

class HistoryViewTest : public ::testing::Test {
protected:
    HistoryView Load() {
        return LoadHistoryView(ProgramFolder(folder.Path()), kNow, RussianLocale());
    }

    TempFolder folder;
};

const ChartBar& DayBar(const HistoryView& view, int day) {
    for (const ChartBar& bar : view.days)
        if (bar.first == QDate(2026, 3, day)) return bar;
    static const ChartBar none;
    ADD_FAILURE() << "no bar for 2026-03-" << day;
    return none;
}

}  // namespace

TEST(LimitLevelTest, turnsAtEightyAndAtOneHundredPercent) {
    EXPECT_EQ(LevelOf(10, 0), LimitLevel::None);
    EXPECT_EQ(LevelOf(10, -5), LimitLevel::None);
    EXPECT_EQ(LevelOf(399.99, 500), LimitLevel::Ok);
    EXPECT_EQ(LevelOf(400, 500), LimitLevel::Warning);
    EXPECT_EQ(LevelOf(0.8 * 0.3, 0.3), LimitLevel::Warning);  // 80 % despite 0.8's rounding
    EXPECT_EQ(LevelOf(499.99, 500), LimitLevel::Warning);
    EXPECT_EQ(LevelOf(500, 500), LimitLevel::Exceeded);
    EXPECT_EQ(LevelOf(750, 500), LimitLevel::Exceeded);
}

TEST_F(HistoryViewTest, thePeriodsFiguresInWordsWithTheirLevels) {
    WriteAll(folder);
    const HistoryView view = Load();
    EXPECT_TRUE(view.notice.isEmpty()) << view.notice.toStdString();
    EXPECT_EQ(view.periodText,
              QStringLiteral("Расчётный период: 10 марта — 9 апреля 2026 г., день 11 из 31"));
    // 30 + 5 + 55 of 100; 22 + 9 + 55 MB of 1000.
    EXPECT_EQ(view.money.level, LimitLevel::Warning);
    EXPECT_EQ(view.money.percent, 90);
    EXPECT_EQ(view.money.text, QStringLiteral("90,00 из 100,00 (90 %)"));
    EXPECT_EQ(view.traffic.level, LimitLevel::Ok);
    EXPECT_EQ(view.traffic.text, QString::fromUtf8("86,00 МБ из 1\u00a0000,00 МБ (9 %)"));
    EXPECT_EQ(view.daysLeftText, QStringLiteral("Осталось: 21 день, сегодня включительно"));
    EXPECT_EQ(view.safePerDayText, QStringLiteral("Можно тратить в день: 0,48"));
    EXPECT_TRUE(view.projectionText.contains(QStringLiteral("больше бюджета")));
}

TEST_F(HistoryViewTest, daysOfThePeriodSplitAtMidnightWithTodayMarked) {
    WriteAll(folder);
    const HistoryView view = Load();
    ASSERT_EQ(view.days.size(), 31);
    EXPECT_EQ(view.days.front().first, QDate(2026, 3, 10));
    EXPECT_EQ(view.days.back().first, QDate(2026, 4, 9));
    EXPECT_DOUBLE_EQ(DayBar(view, 12).usage.cost, 30);
    EXPECT_DOUBLE_EQ(DayBar(view, 15).usage.cost, 1);
    EXPECT_DOUBLE_EQ(DayBar(view, 16).usage.cost, 4);
    EXPECT_DOUBLE_EQ(DayBar(view, 16).Value(ChartUnit::Megabytes), 7);
    EXPECT_TRUE(DayBar(view, 20).current);
    EXPECT_DOUBLE_EQ(DayBar(view, 20).usage.cost, 55);
    EXPECT_TRUE(DayBar(view, 21).future);
    EXPECT_FALSE(DayBar(view, 19).future || DayBar(view, 19).current);
    EXPECT_EQ(BarCaption(DayBar(view, 16), ChartSpan::Days, ChartUnit::Money, QStringLiteral("₽"),
                         RussianLocale()),
              QStringLiteral("16 марта: 4,00 ₽"));
    EXPECT_EQ(
        BarCaption(DayBar(view, 20), ChartSpan::Days, ChartUnit::Megabytes, {}, RussianLocale()),
        QStringLiteral("20 марта: 55,00 МБ, сегодня"));
}

TEST_F(HistoryViewTest, monthsBeforeTheHistoryComeFromTheBooksMarkedAsSuch) {
    WriteAll(folder);
    const HistoryView view = Load();
    ASSERT_EQ(view.months.size(), 12);
    EXPECT_EQ(view.months.front().first, QDate(2025, 4, 1));
    const ChartBar& october = view.months[6];
    const ChartBar& november = view.months[7];
    const ChartBar& december = view.months[8];
    const ChartBar& january = view.months[9];
    const ChartBar& march = view.months[11];
    EXPECT_FALSE(october.fromBooks);  // neither history nor books
    EXPECT_EQ(october.usage.cost, 0);
    EXPECT_TRUE(november.fromBooks);
    EXPECT_DOUBLE_EQ(november.usage.cost, 12.5);
    EXPECT_TRUE(december.fromBooks);
    EXPECT_DOUBLE_EQ(december.usage.cost, 27.5);  // both files
    EXPECT_FALSE(january.fromBooks);
    EXPECT_DOUBLE_EQ(january.usage.cost, 5);
    EXPECT_EQ(january.usage.Total(), 11 * kMb);
    // A month the history has is the history's, whatever the books say.
    EXPECT_TRUE(march.current);
    EXPECT_FALSE(march.fromBooks);
    EXPECT_DOUBLE_EQ(march.usage.cost, 90);
    EXPECT_EQ(
        BarCaption(december, ChartSpan::Months, ChartUnit::Megabytes, {}, RussianLocale()),
        QStringLiteral("Декабрь 2025: трафик до начала истории неизвестен (по файлам статистики)"));
}

TEST_F(HistoryViewTest, withoutAHistoryTheBooksStillFillTheYear) {
    WriteSettings(folder);
    WriteBooks(folder);
    const HistoryView view = Load();
    EXPECT_TRUE(view.notice.startsWith(QStringLiteral("Истории пока нет")))
        << view.notice.toStdString();
    EXPECT_EQ(view.days.size(), 31);
    EXPECT_EQ(view.months[8].usage.cost, 27.5);
    // This month too has only the books: no history covers it.
    EXPECT_TRUE(view.months[11].fromBooks);
    EXPECT_DOUBLE_EQ(view.months[11].usage.cost, 999);
    EXPECT_TRUE(view.connections.isEmpty());
}

TEST_F(HistoryViewTest, theConnectionsOfThePeriodOnly) {
    WriteAll(folder);
    const QList<ConnectionRow> rows = Load().connections;
    ASSERT_EQ(rows.size(), 3);  // January's is not in this period
    EXPECT_EQ(rows[0].startText, QStringLiteral("12.03.2026 10:00"));
    EXPECT_EQ(rows[0].durationText, QStringLiteral("1:00:00"));
    EXPECT_DOUBLE_EQ(rows[0].receivedMb, 20);
    EXPECT_DOUBLE_EQ(rows[0].sentMb, 2);
    EXPECT_TRUE(rows[0].state.isEmpty());
    EXPECT_EQ(rows[1].name, QStringLiteral("Дом, \"2\""));
    EXPECT_EQ(rows[1].state, QStringLiteral("прервано"));
    EXPECT_EQ(rows[2].state, QStringLiteral("на связи"));
    EXPECT_DOUBLE_EQ(rows[2].cost, 55);
}

TEST(BudgetInputTest, badNumbersAreRefusedInPlainWords) {
    const QLocale russian = RussianLocale();
    const auto error = [&](int day, const QString& budget, const QString& cap) {
        return CheckBudgetInput({day, budget, cap, true, {}, {}}, russian).error;
    };
    EXPECT_EQ(error(1, QStringLiteral("пятьсот"), {}),
              QStringLiteral(
                  "Бюджет должен быть числом, например 500 или 499,90; «пятьсот» — не число."));
    EXPECT_TRUE(error(1, QStringLiteral("-5"), {})
                    .startsWith(QStringLiteral("Бюджет не может быть отрицательным")));
    EXPECT_TRUE(error(1, {}, QStringLiteral("1e40"))
                    .startsWith(QStringLiteral("Лимит трафика слишком велик")));
    EXPECT_TRUE(error(1, {}, QStringLiteral("10 ГБ"))
                    .startsWith(QStringLiteral("Лимит трафика должен быть числом")));
    EXPECT_TRUE(error(1, QStringLiteral("nan"), {})
                    .startsWith(QStringLiteral("Бюджет должен быть числом")));
    EXPECT_EQ(error(32, {}, {}), QStringLiteral("День начала периода — число от 1 до 31."));

    const BudgetCheck comma =
        CheckBudgetInput({31, QStringLiteral(" 499,9 "), {}, false, {}, {}}, russian);
    ASSERT_TRUE(comma.limits) << comma.error.toStdString();
    EXPECT_DOUBLE_EQ(comma.limits->budget, 499.9);
    EXPECT_EQ(comma.limits->capMb, 0);  // empty: none
    EXPECT_FALSE(comma.limits->alerts);
    const BudgetCheck point = CheckBudgetInput(
        {1, QStringLiteral("499.9"), QStringLiteral("2048"), true, {}, {}}, russian);
    ASSERT_TRUE(point.limits);
    EXPECT_DOUBLE_EQ(point.limits->budget, 499.9);
    EXPECT_DOUBLE_EQ(point.limits->capMb, 2048);
}

TEST(BudgetSaveTest, theFourKeysAreStoredAndEveryOtherLineKept) {
    TempFolder folder;
    folder.Write(QStringLiteral("inet.conf"),
                 "; mine\r\n[Vantoril]\r\nType_tar=1\r\nbudget=5\r\n[Other]\r\nx=1\r\n");
    QString error;
    ASSERT_TRUE(
        SaveBudget(ProgramFolder(folder.Path()), {15, 499.9, 2048.5, false, {}, 0, 0}, &error))
        << error.toStdString();
    EXPECT_EQ(
        folder.Read(QStringLiteral("inet.conf")),
        "; mine\r\n[Vantoril]\r\nType_tar=1\r\nbudget=499.9\r\ncycle_day=15\r\ncap_mb=2048.5\r\n"
        "alerts=0\r\nplan_fee=0\r\nincluded_mb=0\r\n[Other]\r\nx=1\r\n");
    // Read back the way the program reads its settings, whatever the locale.
    const PeriodLimits limits = LimitsOf(LoadSettings(ProgramFolder(folder.Path())));
    EXPECT_EQ(limits.cycleDay, 15);
    EXPECT_DOUBLE_EQ(limits.budget, 499.9);
    EXPECT_DOUBLE_EQ(limits.capMb, 2048.5);
    EXPECT_FALSE(limits.alerts);
    EXPECT_EQ(LimitFieldText(limits.budget, RussianLocale()), QStringLiteral("499,9"));
    EXPECT_EQ(LimitFieldText(0, RussianLocale()), QString());
}

TEST(BudgetSaveTest, aSettingsFileThatCannotBeReadIsLeftAlone) {
    TempFolder folder;
    // A folder where the file should be: it exists and cannot be read as a file.
    ASSERT_TRUE(QDir(folder.Path()).mkdir(QStringLiteral("inet.conf")));
    QString error;
    EXPECT_FALSE(SaveBudget(ProgramFolder(folder.Path()), {1, 10, 0, true, {}}, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Настройки не сохранены"))) << error.toStdString();
    EXPECT_TRUE(QFileInfo(folder.File(QStringLiteral("inet.conf"))).isDir());
}

TEST_F(HistoryViewTest, theRunningProgramsUnstoredMinuteCountsTodayAndThisMonth) {
    WriteAll(folder);
    const PeriodLimits limits{10, 100, 1000, true, {}};
    PeriodReport live = BuildPeriodReport(limits, kNow, {}, std::nullopt);
    live.used = Usage{80 * kMb, 8 * kMb, 100};  // 2 MB and 10 more than stored
    const HistoryView view =
        LoadHistoryView(ProgramFolder(folder.Path()), kNow, RussianLocale(), live);
    EXPECT_EQ(view.money.level, LimitLevel::Exceeded);
    EXPECT_DOUBLE_EQ(view.report.used.cost, 100);
    EXPECT_DOUBLE_EQ(DayBar(view, 20).usage.cost, 65);
    EXPECT_DOUBLE_EQ(DayBar(view, 20).Value(ChartUnit::Megabytes), 57);
    EXPECT_DOUBLE_EQ(DayBar(view, 19).usage.cost, 0);
    EXPECT_DOUBLE_EQ(view.months.last().usage.cost, 100);

    // A report of another period (the billing day was just changed) is not mixed in.
    live.period = PeriodContaining(kNow.date(), 20);
    EXPECT_DOUBLE_EQ(
        LoadHistoryView(ProgramFolder(folder.Path()), kNow, RussianLocale(), live).report.used.cost,
        90);
}
