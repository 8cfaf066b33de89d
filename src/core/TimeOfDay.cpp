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
