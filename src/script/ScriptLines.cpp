// A script text cut into lines, and the size limits every script must keep.
#include "script/ScriptLines.h"

QList<QStringView> SplitScriptLines(const QString& code) {
    QList<QStringView> lines;
    if (code.isEmpty()) return lines;
    qsizetype start = 0;
    for (qsizetype feed = code.indexOf(u'\n'); feed >= 0; feed = code.indexOf(u'\n', start)) {
        const qsizetype end = (feed > start && code[feed - 1] == u'\r') ? feed - 1 : feed;
        lines.append(QStringView(code).mid(start, end - start));
        start = feed + 1;
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
