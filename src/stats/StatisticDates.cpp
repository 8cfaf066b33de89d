// SPDX-License-Identifier: GPL-3.0-or-later
// The month keys of a statistics file, read item by item.
#include "StatisticDates.h"

namespace {

bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Moves `pos` past the item's delimiter: a comma, or a line end (CR LF counts once).
void SkipDelimiter(const QString& text, int& pos) {
    if (pos >= text.size()) return;
    const QChar c = text.at(pos++);
    if (c == u'\r' && pos < text.size() && text.at(pos) == u'\n') ++pos;
}

// Reads the item that starts at `pos` and moves `pos` to the start of the next one.
QString ReadItem(const QString& text, int& pos) {
    while (pos < text.size() && (text.at(pos) == u' ' || text.at(pos) == u'\t')) ++pos;
    QString item;
    if (pos < text.size() && text.at(pos) == u'"') {
        // A quote left open ends with its line: a month key never spans lines.
        int end = pos + 1;
        while (end < text.size() && text.at(end) != u'"' && !IsLineEnd(text.at(end))) ++end;
        item = text.mid(pos + 1, end - pos - 1);
        pos = end < text.size() && text.at(end) == u'"' ? end + 1 : end;
        // Whatever follows the closing quote up to the delimiter is not part of the item.
        while (pos < text.size() && text.at(pos) != u',' && !IsLineEnd(text.at(pos))) ++pos;
    } else {
        const int start = pos;
        while (pos < text.size() && text.at(pos) != u',' && !IsLineEnd(text.at(pos))) ++pos;
        item = text.mid(start, pos - start);
    }
    SkipDelimiter(text, pos);
    return item;
}

}  // namespace

QStringList StatisticDates(const QString& text) {
    QStringList dates;
    int pos = 0;
    while (pos < text.size()) {
        const QString item = ReadItem(text, pos);
        // The header "[Statistic]" and the amounts' decimal parts hold no "=".
        const QString date = item.left(item.indexOf(u'=')).trimmed();
        if (item.contains(u'=') && !date.isEmpty()) dates << date;
    }
    return dates;
}
