// SPDX-License-Identifier: GPL-3.0-or-later
// The operator's answers to balance questions, kept in the history database with their time.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class HistoryStore;

struct BalanceEntry {
    QDateTime at;
    std::optional<double> amount;  // nothing when the answer names no amount
    QString text;                  // the answer as the operator gave it
};

// The table is made when first written to; a file made before it simply has no answers.
[[nodiscard]] bool AddBalance(HistoryStore& store, const BalanceEntry& entry);
// Answers with an amount at some moment of [from, to], oldest first.
QList<BalanceEntry> BalancesBetween(HistoryStore& store, const QDateTime& from,
                                    const QDateTime& to);
// The newest answer, with or without an amount.
std::optional<BalanceEntry> LastBalance(HistoryStore& store);
