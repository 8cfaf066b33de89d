// SPDX-License-Identifier: GPL-3.0-or-later
// vantoril-status's lines: the panel text, the figures as JSON, Waybar's object and levels,
// the line while the program is stopped, and its command line.
#include "Locales.h"
#include "tools/vantoril-status/StatusLine.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {
// Without a plan the period's bill is its money.
QVariantMap Figures(double periodCost, double budget, double periodMb, double capMb) {
    return {{QStringLiteral("Connected"), true},
            {QStringLiteral("ConnectionName"), QStringLiteral("MyISP")},
            {QStringLiteral("ReceivedBytes"), qulonglong(5'000'000'000)},
            {QStringLiteral("SentBytes"), qulonglong(1000)},
            {QStringLiteral("LinkBps"), qulonglong(48000)},
            {QStringLiteral("OnlineSeconds"), qulonglong(3725)},
            {QStringLiteral("Cost"), 1.5},
            {QStringLiteral("PeriodCost"), periodCost},
            {QStringLiteral("PeriodBill"), periodCost},
            {QStringLiteral("Budget"), budget},
            {QStringLiteral("PeriodMB"), periodMb},
            {QStringLiteral("CapMB"), capMb},
            {QStringLiteral("Message"), QStringLiteral("Осталось мало")}};
}

QJsonObject Waybar(const QVariantMap& figures, const QString& currency = QString()) {
    return QJsonDocument::fromJson(
               StatusLine(figures, StatusFormat::Waybar, RussianLocale(), currency).toUtf8())
        .object();
}
}  // namespace

TEST(StatusLineTest, textIsThePeriodsMoneyAndMegabytesInTheLocalesForm) {
    const QVariantMap figures = Figures(12.34, 0, 56.71, 0);
    EXPECT_EQ(StatusLine(figures, StatusFormat::Text, RussianLocale(), QString()),
              QStringLiteral("12,34 · 56,7 MB"));
    EXPECT_EQ(StatusLine(figures, StatusFormat::Text, PointLocale(), QString()),
              QStringLiteral("12.34 · 56.7 MB"));
    EXPECT_EQ(StatusLine(figures, StatusFormat::Text, RussianLocale(), QStringLiteral("₽")),
              QStringLiteral("12,34 ₽ · 56,7 MB"));
}

// Caught: a panel showing the tariff's money while the budget measures the plan's bill.
TEST(StatusLineTest, textAndWaybarGiveTheBillOfAPlanNotTheTariffsMoney) {
    QVariantMap figures = Figures(120, 400, 103, 0);
    figures.insert(QStringLiteral("PeriodBill"), 340.0);  // fee 300 and 40 beyond the volume
    EXPECT_EQ(StatusLine(figures, StatusFormat::Text, RussianLocale(), QStringLiteral("₽")),
              QStringLiteral("340,00 ₽ · 103,0 MB"));
    const QJsonObject object = Waybar(figures);
    EXPECT_EQ(object.value(QStringLiteral("percentage")).toInt(), 85);
    EXPECT_EQ(object.value(QStringLiteral("class")).toString(), QStringLiteral("warning"));
}

TEST(StatusLineTest, jsonHoldsEveryPropertyUnderItsOwnName) {
    const QJsonObject json =
        QJsonDocument::fromJson(
            StatusLine(Figures(12.34, 100, 56.7, 0), StatusFormat::Json, RussianLocale(), QString())
                .toUtf8())
            .object();
    EXPECT_EQ(json.size(), 13);
    EXPECT_EQ(json.value(QStringLiteral("ConnectionName")).toString(), QStringLiteral("MyISP"));
    EXPECT_EQ(json.value(QStringLiteral("ReceivedBytes")).toDouble(), 5e9);
    EXPECT_EQ(json.value(QStringLiteral("PeriodCost")).toDouble(), 12.34);
    EXPECT_TRUE(json.value(QStringLiteral("Connected")).toBool());
}

TEST(StatusLineTest, waybarClassAndPercentageFollowTheLargerShareOfBudgetAndCap) {
    struct Case {
        double cost, budget, mb, cap;
        const char* level;
        int percent;
    };
    const Case cases[] = {
        {0, 0, 500, 0, "ok", 0},          // neither set: nothing to measure against
        {79.9, 100, 10, 1000, "ok", 80},  // 79.9 % rounds for show, not for the level
        {80, 100, 10, 1000, "warning", 80},
        {10, 100, 900, 1000, "warning", 90},  // the cap is the larger share
        {100, 100, 0, 0, "critical", 100},
        {50, 100, 1500, 1000, "critical", 150},
        {150, 0, 10, 1000, "ok", 1},  // money without a budget counts for nothing
    };
    for (const Case& c : cases) {
        const QJsonObject object = Waybar(Figures(c.cost, c.budget, c.mb, c.cap));
        SCOPED_TRACE(QJsonDocument(object).toJson().toStdString());
        EXPECT_EQ(object.value(QStringLiteral("class")).toString(), QLatin1String(c.level));
        EXPECT_EQ(object.value(QStringLiteral("percentage")).toInt(), c.percent);
    }
}

TEST(StatusLineTest, waybarTextAndTooltipTellTheConnectionThePeriodAndTheMessage) {
    const QJsonObject object = Waybar(Figures(12.34, 100, 56.7, 500), QStringLiteral("₽"));
    EXPECT_EQ(object.value(QStringLiteral("text")).toString(),
              QStringLiteral("12,34 ₽ · 56,7 MB"));
    EXPECT_EQ(object.value(QStringLiteral("tooltip")).toString(),
              QStringLiteral("MyISP: в сети 1:02:05, 1,50 ₽\n"
                             "Период: 12,34 ₽ из 100,00 ₽\n"
                             "Трафик периода: 56,7 MB из 500,0 MB\n"
                             "Осталось мало"));
    QVariantMap down = Figures(0, 0, 0, 0);
    down[QStringLiteral("Connected")] = false;
    down[QStringLiteral("Message")] = QString();
    EXPECT_EQ(Waybar(down).value(QStringLiteral("tooltip")).toString(),
              QStringLiteral("Нет соединения\nПериод: 0,00\nТрафик периода: 0,0 MB"));
}

TEST(StatusLineTest, stoppedProgramGivesAnEmptyTextOrTheStoppedObject) {
    EXPECT_EQ(StoppedLine(StatusFormat::Text), QString());
    for (StatusFormat format : {StatusFormat::Json, StatusFormat::Waybar}) {
        const QJsonObject object = QJsonDocument::fromJson(StoppedLine(format).toUtf8()).object();
        EXPECT_EQ(object, (QJsonObject{{QStringLiteral("text"), QString()},
                                       {QStringLiteral("class"), QStringLiteral("stopped")}}));
    }
}

TEST(StatusOptionsTest, formatFollowAndFolderAreReadAndMistakesNamed) {
    const ParsedStatusOptions none = ParseStatusOptions({});
    ASSERT_TRUE(none.options);
    EXPECT_EQ(none.options->format, StatusFormat::Text);
    EXPECT_FALSE(none.options->follow);

    const ParsedStatusOptions waybar = ParseStatusOptions(
        {QStringLiteral("--follow"), QStringLiteral("--format"), QStringLiteral("waybar"),
         QStringLiteral("--folder"), QStringLiteral("/opt/v")});
    ASSERT_TRUE(waybar.options);
    EXPECT_EQ(waybar.options->format, StatusFormat::Waybar);
    EXPECT_TRUE(waybar.options->follow);
    EXPECT_EQ(waybar.options->folder, QStringLiteral("/opt/v"));

    EXPECT_TRUE(ParseStatusOptions({QStringLiteral("--help")}).help);
    for (const QStringList& wrong :
         {QStringList{QStringLiteral("--format"), QStringLiteral("xml")},
          QStringList{QStringLiteral("--format")}, QStringList{QStringLiteral("status")}}) {
        const ParsedStatusOptions parsed = ParseStatusOptions(wrong);
        EXPECT_FALSE(parsed.options);
        EXPECT_FALSE(parsed.error.isEmpty());
    }
}

// Caught: an unknown balance (NaN on the bus) written as "nan", or a known one left out.
TEST(StatusLineTest, theOperatorsBalanceIsShownOnlyWhenKnown) {
    QVariantMap figures = Figures(12.34, 0, 56.71, 0);
    figures.insert(QStringLiteral("Balance"), std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(StatusLine(figures, StatusFormat::Text, RussianLocale(), QStringLiteral("₽")),
              QStringLiteral("12,34 ₽ · 56,7 MB"));
    EXPECT_FALSE(Waybar(figures).value(QStringLiteral("tooltip")).toString().contains(u"Баланс"));

    figures.insert(QStringLiteral("Balance"), -5.1);
    figures.insert(QStringLiteral("BalanceTime"),
                   QDateTime(QDate(2026, 12, 7), QTime(18, 20)).toSecsSinceEpoch());
    figures.insert(QStringLiteral("Roaming"), true);
    EXPECT_EQ(StatusLine(figures, StatusFormat::Text, RussianLocale(), QStringLiteral("₽")),
              QStringLiteral("12,34 ₽ · 56,7 MB · баланс -5,10 ₽"));
    const QString tooltip = Waybar(figures, QStringLiteral("₽")).value("tooltip").toString();
    EXPECT_TRUE(tooltip.endsWith(
        QStringLiteral("Баланс: -5,10 ₽ (оператор, 18:20)\nВ роуминге")))
        << tooltip.toStdString();
}
