// SPDX-License-Identifier: GPL-3.0-or-later
// Price texts in the user's locale: the key filter's characters, checking and reading.
#include "Locales.h"
#include "tariff/PriceText.h"

#include <gtest/gtest.h>

namespace {

TEST(IsPriceCharacter, russianLocaleTakesDigitsAndTheCommaOnly) {
    const QLocale russian = RussianLocale();
    for (char digit = '0'; digit <= '9'; ++digit)
        EXPECT_TRUE(IsPriceCharacter(QChar(digit), russian));
    EXPECT_TRUE(IsPriceCharacter(u',', russian));
    for (char16_t refused : {u'.', u'-', u'a', u'e', u' ', u'\b', u'\u0661'})
        EXPECT_FALSE(IsPriceCharacter(refused, russian)) << int(refused);
}

TEST(IsPriceCharacter, pointLocaleTakesThePointInsteadOfTheComma) {
    EXPECT_TRUE(IsPriceCharacter(u'.', PointLocale()));
    EXPECT_FALSE(IsPriceCharacter(u',', PointLocale()));
}

TEST(PriceTextError, numbersInTheLocaleAreAccepted) {
    EXPECT_TRUE(PriceTextError("1,5", RussianLocale()).isEmpty());
    EXPECT_TRUE(PriceTextError("0", RussianLocale()).isEmpty());
    EXPECT_TRUE(PriceTextError("1.5", PointLocale()).isEmpty());
}

TEST(PriceTextError, textsThatAreNotNumbersSayWhy) {
    for (const char* text : {"1,,5", ",", "1.5", "abc"}) {
        const QString error = PriceTextError(text, RussianLocale());
        EXPECT_TRUE(error.contains(QStringLiteral("не является числом"))) << text;
        EXPECT_TRUE(error.contains(QStringLiteral("1,5"))) << "the example uses the comma";
    }
    EXPECT_TRUE(PriceTextError("1.5", PointLocale()).isEmpty());
    EXPECT_TRUE(PriceTextError("1,5", PointLocale()).contains(QStringLiteral("1.5")));
}

TEST(PriceTextError, emptyAndTooLargePricesHaveTheirOwnMessages) {
    EXPECT_EQ(PriceTextError("", RussianLocale()), QStringLiteral("Цена не указана."));
    const QString tooLarge = PriceTextError(QString(40, u'9'), RussianLocale());
    EXPECT_TRUE(tooLarge.contains(QStringLiteral("слишком велика"))) << tooLarge.toStdString();
}

TEST(ReadPriceTexts, readsAllFourInTheLocale) {
    std::array<float, 4> prices{};
    QString error;
    ASSERT_TRUE(ReadPriceTexts({"0", "1,5", "0,1", "1234567"}, RussianLocale(), &prices, &error));
    EXPECT_EQ(prices, (std::array<float, 4>{0.0f, 1.5f, 0.1f, 1234567.0f}));
}

TEST(ReadPriceTexts, firstBadTextNamesItsClassAndChangesNothing) {
    std::array<float, 4> prices{9, 9, 9, 9};
    QString error;
    EXPECT_FALSE(ReadPriceTexts({"1", "2", "3,,", "x"}, RussianLocale(), &prices, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("жёлтого класса (2)"))) << error.toStdString();
    EXPECT_EQ(prices, (std::array<float, 4>{9, 9, 9, 9}));
}

}  // namespace
