// SPDX-License-Identifier: GPL-3.0-or-later
// The money figure in an operator's answer to a balance question.
#pragma once

#include <QString>

#include <optional>

// The balance the answer states: the first amount after a word such as "баланс" or
// "balance", else the first amount at all. Either decimal separator; blanks, and a comma or
// point before a group of three digits, separate thousands; a minus sign or the word
// "минус"/"minus" before it makes it negative. Dates, times of day and the digits of a
// service code ("*100#") are not amounts. Nothing when the answer holds none.
std::optional<double> BalanceInAnswer(const QString& answer);
