// SPDX-License-Identifier: GPL-3.0-or-later
// The time-of-day format.
#include "core/TimeOfDay.h"

#include "core/LocaleAnswer.h"

namespace {

QString ShortenedLongFormat(const QLocale& locale) {
    // Only letters outside quotes are format codes: "t" is the zone, "HH"/"hh" the hour.
    const QString longFormat = locale.timeFormat(QLocale::LongFormat);
    QString format;
    bool quoted = false;
    for (qsizetype i = 0; i < longFormat.size(); ++i) {
        const QChar c = longFormat[i];
        if (c == u'\'') quoted = !quoted;
        const bool secondHourDigit = (c == u'H' || c == u'h') && i > 0 && longFormat[i - 1] == c;
        if (!quoted && (c == u't' || secondHourDigit)) continue;
        format.append(c);
    }
    format.remove(QStringLiteral("()"));  // the brackets some locales put around the zone
    return format.trimmed();
}

}  // namespace

QString TimeOfDayFormat(const QLocale& locale) {
    return RememberedAnswer(locale, [](const QLocale& l) { return ShortenedLongFormat(l); });
}

TimeOfDayWriter::TimeOfDayWriter(const QLocale& locale)
    : locale_(locale), format_(TimeOfDayFormat(locale)) {
    if (locale.zeroDigit() != QLatin1String("0")) return;
    std::vector<Piece> pieces;
    const qsizetype size = format_.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = format_[i];
        if (c == u'\'') {  // quoted text, in which two quotes stand for one
            QString text;
            for (++i; i < size; ++i) {
                if (format_[i] != u'\'') {
                    text.append(format_[i]);
                } else if (i + 1 < size && format_[i + 1] == u'\'') {
                    text.append(u'\'');
                    ++i;
                } else {
                    break;
                }
            }
            if (text.isEmpty()) text = QStringLiteral("'");  // '' outside quotes
            pieces.push_back({0, false, text});
            ++i;
        } else if (c.isLetter()) {
            if (c != u'H' && c != u'h' && c != u'm' && c != u's') return;  // Qt's to write
            qsizetype run = 1;
            while (i + run < size && format_[i + run] == c) ++run;
            if (run > 2) return;
            pieces.push_back({c == u'h' ? u'H' : c.unicode(), run == 2, QString()});
            i += run;
        } else {
            pieces.push_back({0, false, QString(c)});
            ++i;
        }
    }
    pieces_ = std::move(pieces);
}

QString TimeOfDayWriter::Write(const QTime& time) const {
    if (pieces_.empty()) return locale_.toString(time, format_);
    QString text;
    text.reserve(16);
    for (const Piece& piece : pieces_) {
        if (piece.field == 0) {
            text.append(piece.text);
            continue;
        }
        const int value = piece.field == u'H'   ? time.hour()
                          : piece.field == u'm' ? time.minute()
                                                : time.second();
        if (piece.twoDigits || value >= 10) text.append(QChar(u'0' + value / 10));
        text.append(QChar(u'0' + value % 10));
    }
    return text;
}
