// SPDX-License-Identifier: GPL-3.0-or-later
// A script text cut into lines, and the size limits every script must keep.
#include "script/ScriptLines.h"

QList<QStringView> SplitScriptLines(const QString& code) {
    QList<QStringView> lines;
    if (code.isEmpty()) return lines;
    const QStringView breakText =
        code.contains(u"\r\n") ? QStringView(u"\r\n") : QStringView(u"\n");
    qsizetype start = 0;
    for (qsizetype end = code.indexOf(breakText); end >= 0; end = code.indexOf(breakText, start)) {
        lines.append(QStringView(code).mid(start, end - start));
        start = end + breakText.size();
    }
    lines.append(QStringView(code).mid(start));
    return lines;
}

std::optional<ScriptLimitBreach> FindLimitBreach(const QList<QStringView>& lines) {
    const bool closingBreak = !lines.isEmpty() && lines.last().isEmpty();
    const qsizetype counted = lines.size() - (closingBreak ? 1 : 0);
    for (qsizetype i = 0; i < lines.size() && i < kMaxScriptLines; ++i) {
        if (lines[i].size() > kMaxScriptLineLength)
            return ScriptLimitBreach{ScriptLimitBreach::Kind::LineTooLong, int(i + 1)};
    }
    if (counted > kMaxScriptLines)
        return ScriptLimitBreach{ScriptLimitBreach::Kind::TooManyLines, kMaxScriptLines + 1};
    return std::nullopt;
}
