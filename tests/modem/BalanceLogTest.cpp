// SPDX-License-Identifier: GPL-3.0-or-later
// The balance answers in the history database, beside what older programs wrote there.
#include "TempFolder.h"
#include "bus/MeterFigures.h"
#include "history/BalanceLog.h"
#include "history/HistoryStore.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kMorning(QDate(2026, 12, 7), QTime(9, 0));

// A file made before the table existed reads as no answers and takes the first one;
// answers without an amount are kept but never counted as a balance.
TEST(BalanceLogTest, KeepsAnswersBesideAnOlderHistory) {
    TempFolder temp;
    HistoryStore store(temp.Path() + QStringLiteral("/history.sqlite"));
    ASSERT_TRUE(store.Open());
    EXPECT_FALSE(LastBalance(store));
    EXPECT_TRUE(BalancesBetween(store, kMorning, kMorning.addDays(1)).isEmpty());

    ASSERT_TRUE(AddBalance(store, {kMorning, 120.5, QStringLiteral("Баланс 120,50 р.")}));
    ASSERT_TRUE(
        AddBalance(store, {kMorning.addSecs(3600), std::nullopt, QStringLiteral("Ошибка")}));
    ASSERT_TRUE(
        AddBalance(store, {kMorning.addSecs(7200), 118.0, QStringLiteral("Баланс 118 р.")}));

    const std::optional<BalanceEntry> last = LastBalance(store);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->at, kMorning.addSecs(7200));
    EXPECT_EQ(last->amount, 118.0);
    const QList<BalanceEntry> span = BalancesBetween(store, kMorning, kMorning.addDays(1));
    ASSERT_EQ(span.size(), 2);
    EXPECT_EQ(span.first().text, QStringLiteral("Баланс 120,50 р."));

    // Reopened, as the next run finds it.
    store.Close();
    ASSERT_TRUE(store.Open());
    EXPECT_EQ(LastBalance(store)->text, QStringLiteral("Баланс 118 р."));
}

// An unknown balance is NaN, which never equals itself: it must not be announced as a
// change at every tick, while a real change is.
TEST(BalanceLogTest, UnknownBalanceIsNotAnnouncedAsAChange) {
    MeterFigures before, now;
    EXPECT_FALSE(ChangedMeterProperties(before, now).contains(QStringLiteral("Balance")));
    now.balance = 12.5;
    EXPECT_EQ(ChangedMeterProperties(before, now).value(QStringLiteral("Balance")).toDouble(),
              12.5);
    EXPECT_TRUE(std::isnan(MeterProperties(before).value(QStringLiteral("Balance")).toDouble()));
}

}  // namespace
