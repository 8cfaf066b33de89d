// SPDX-License-Identifier: GPL-3.0-or-later
// The syntax checker: a fast line-by-line test of a script for the faults the script
// editor points out. It evaluates nothing and returns at most one message.
#pragma once

#include "script/SyntaxReport.h"

#include <QList>
#include <QString>
#include <QStringView>

class SyntaxChecker {
public:
    // The text the next check looks at; nothing is checked here.
    void SetCode(const QString& code);
    // The fault found and its line, or no fault. The first stopping fault wins; an
    // unknown function is reported only when no stopping fault follows it, and then the
    // last line with one is named. A text beyond the size limits is refused first.
    [[nodiscard]] SyntaxReport Check();
    // The same as a message: the empty text when no fault is found, else one message
    // such as "Ошибка на линии 3: нет закрывающей кавычки".
    [[nodiscard]] QString CheckSyntax();

private:
    QString code_;
    QList<QStringView> lines_;  // views into code_, rebuilt by every check
};
