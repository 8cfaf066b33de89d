// SPDX-License-Identifier: GPL-3.0-or-later
// Operators' answers as they come: the balance read out of each, or none.
#include "modem/BalanceAnswer.h"

#include <gtest/gtest.h>

namespace {

struct Shape {
    const char* answer;
    std::optional<double> balance;
};

TEST(BalanceAnswerTest, ReadsTheBalanceOfRealWorldShapes) {
    const Shape shapes[] = {
        {"Баланс: 123,45 р.", 123.45},
        {"Balance 12.30 EUR", 12.30},
        {"Ваш баланс -5.10", -5.10},
        {"Баланс:350,00р. Доступно: 5 ГБ до 31.12", 350.0},
        {"Баланс 1 234,56 руб.", 1234.56},
        {"Баланс 1\u00a0234\u00a0567 р.", 1234567.0},
        {"Balance: 1,234.56 USD", 1234.56},
        {"Остаток 1.234,50 EUR", 1234.50},
        {"Минус 12,50 руб. Пополните счёт", -12.50},
        {"Ваш баланс на 07.12.2026: 150 руб.", 150.0},
        {"18:20 Баланс 99 р", 99.0},
        {"Баланс на 07.12: 150 руб.", 150.0},
        {"Your balance is $7.25. Top up at *111#", 7.25},
        {"Бонусов 20. Баланс: \u22123,00 руб", -3.0},
        {"Баланс 0 р.", 0.0},
        {"Сервис временно недоступен", std::nullopt},
        {"Запрос *100# не поддерживается", std::nullopt},
        {"UNKNOWN APPLICATION", std::nullopt},
    };
    for (const Shape& shape : shapes) {
        const std::optional<double> read = BalanceInAnswer(QString::fromUtf8(shape.answer));
        ASSERT_EQ(read.has_value(), shape.balance.has_value()) << shape.answer;
        if (read) {
            EXPECT_DOUBLE_EQ(*read, *shape.balance) << shape.answer;
        }
    }
}

}  // namespace
