// SPDX-License-Identifier: GPL-3.0-or-later
// What the syntax checker found, and the one place its Russian message is composed.
#pragma once

#include <QString>

#include <optional>

enum class SyntaxFault {
    NoClosingBracket,     // "(" without a ")" after it
    UnknownFunction,      // the text before the first "(" names no command
    NoClosingQuote,       // an odd number of apostrophes
    DivisionByZero,       // a divisor that reads as 0
    ExpressionExpected,   // nothing after the first "="
    ThenMissing,          // "if " without "then"
    ExpressionAfterThen,  // nothing after "then"
    TooManyLines,         // beyond 32767 lines
    LineTooLong,          // a line beyond 32767 characters
};

struct SyntaxReport {
    std::optional<SyntaxFault> fault;  // nothing when the script has no fault
    int line = 0;                      // the faulty line, from 1; 0 without a fault
};

// "Ошибка на линии 3: нет закрывающей кавычки"; the empty text without a fault.
[[nodiscard]] QString SyntaxReportText(const SyntaxReport& report);
// What a check shows the user: the report text, or "Ошибок не обнаружено".
[[nodiscard]] QString SyntaxVerdict(const SyntaxReport& report);
