// SPDX-License-Identifier: GPL-3.0-or-later
// A locale's answer kept for the next question about the same locale.
#pragma once

#include <QLocale>
#include <QString>

#include <optional>
#include <utility>

// Asking the system locale for its decimal separator or time format goes through the
// platform every time, and the indicator asks several times a tick: `answer(locale)` is
// worked out again only when the locale differs from the one asked about last. Each
// `Answer` type (one lambda per question) keeps its own, per thread.
template <typename Answer>
const QString& RememberedAnswer(const QLocale& locale, Answer answer) {
    thread_local std::optional<std::pair<QLocale, QString>> last;
    if (!last || last->first != locale) last.emplace(locale, answer(locale));
    return last->second;
}
