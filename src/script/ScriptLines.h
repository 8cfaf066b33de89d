// A script text cut into lines, and the size limits every script must keep.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Line numbers and character positions of a script are 16-bit counts.
constexpr int kMaxScriptLines = 32767;
constexpr int kMaxScriptLineLength = 32767;

// Cuts a script into lines at every "\r\n" and also at a lone "\n" (how scripts written
// on Linux end their lines). A final line break gives one more, empty, line; the empty
// text gives no lines. A lone "\r" is an ordinary character.
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
