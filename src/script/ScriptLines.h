// SPDX-License-Identifier: GPL-3.0-or-later
// A script text cut into lines, and the size limits every script must keep.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Line numbers and character positions of a script are 16-bit counts.
constexpr int kMaxScriptLines = 32767;
constexpr int kMaxScriptLineLength = 32767;

// Cuts a script into lines. A text holding at least one "\r\n" (saved by the script
// editor, or on Windows) is cut at "\r\n" only: a lone "\n" in it stays part of its
// line. A text without any "\r\n" (written on Linux) is cut at "\n". A final line break
// gives one more, empty, line; the empty text gives no lines. A lone "\r" is an ordinary
// character. The checker, the interpreter, the editor and vantoril-script all cut here.
// The lines are views into `code`, which must outlive them.
QList<QStringView> SplitScriptLines(const QString& code);

// Where a script breaks the limits: the first line beyond them (numbered from 1).
struct ScriptLimitBreach {
    enum class Kind { TooManyLines, LineTooLong };
    Kind kind;
    int lineNumber;
};

// The empty line after a final line break is not counted, so a script of 32767 lines
// saved with its closing line break still fits.
std::optional<ScriptLimitBreach> FindLimitBreach(const QList<QStringView>& lines);
