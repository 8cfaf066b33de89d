// SPDX-License-Identifier: GPL-3.0-or-later
// What a lint pass carries from line to line: the line, the warnings found, and which
// variables are declared and read where.
#pragma once

#include "script/LintWarning.h"

#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

class LintContext {
public:
    explicit LintContext(QLocale locale);

    void StartLine(int number);
    // True while the action of an if line is looked at.
    bool Conditional() const { return conditional_; }
    void SetConditional(bool conditional) { conditional_ = conditional; }
    // True when the locale writes the built-in counters with a decimal comma.
    bool DecimalComma() const { return decimalComma_; }

    void Warn(const QString& text);  // on the current line

    // A var line: warns about built-ins shadowed, names declared twice, odd names.
    void Declare(QStringView name);
    // A variable read: warns when it is neither a built-in nor declared on an earlier line.
    void Read(QStringView name);
    // An assignment's target: warns when nothing will be stored in it. `copied` is the
    // number a copy of a literal ("x = #50") stores; nothing for any other assignment.
    void Assign(QStringView target, std::optional<double> copied = std::nullopt);
    // The number a variable holds on every run when it was only ever given one literal,
    // unconditionally; nothing otherwise.
    std::optional<double> Constant(QStringView name) const;

    // Adds the variables never read, then gives every warning in line order, each once.
    QList<LintWarning> Finish();

private:
    bool Known(QStringView name) const;

    bool decimalComma_;
    int line_ = 0;
    bool conditional_ = false;
    QHash<QString, int> declared_;                     // name -> line of its first declaration
    QList<QPair<QString, int>> vars_;                  // every declaration, in order
    QHash<QString, int> lastRead_;                     // name -> last line that reads it
    QHash<QString, std::optional<double>> constants_;  // name -> its one literal, if any
    QList<LintWarning> warnings_;
};

// The built-ins a run defines before the first line.
bool IsBuiltIn(QStringView name);
// The built-ins whose text is a fractional number in the locale's format.
bool IsFractionalBuiltIn(QStringView name);
// «text», as every warning quotes the script.
QString Quoted(QStringView text);
