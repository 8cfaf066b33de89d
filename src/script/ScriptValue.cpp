// A value of the script language; it keeps its kind until it is read as text or number.
#include "script/ScriptValue.h"

#include "shell/Numbers.h"

ScriptValue ScriptValue::Text(QString text) {
    ScriptValue value;
    value.kind_ = Kind::Text;
    value.text_ = std::move(text);
    return value;
}

ScriptValue ScriptValue::Number(double number) {
    ScriptValue value;
    value.kind_ = Kind::Number;
    value.number_ = number;
    return value;
}

ScriptValue ScriptValue::TimeOfDay(QTime time) {
    ScriptValue value;
    value.kind_ = Kind::TimeOfDay;
    value.time_ = QTime(time.hour(), time.minute(), time.second());
    return value;
}

ScriptValue ScriptValue::WholeNumber(int number) {
    ScriptValue value;
    value.kind_ = Kind::WholeNumber;
    value.number_ = number;
    return value;
}

QString ScriptValue::ToText(const QLocale& locale) const {
    switch (kind_) {
        case Kind::Empty:
            return QString();
        case Kind::Text:
            return text_;
        case Kind::Number:
            return NumberText(number_, locale);
        case Kind::TimeOfDay:
            return locale.toString(time_, TimeOfDayFormat(locale));
        case Kind::WholeNumber:
            return QString::number(qint64(number_));
    }
    return QString();
}

double ScriptValue::ToNumber(const QLocale& locale) const {
    if (kind_ == Kind::Text) return ReadNumber(text_);
    if (kind_ == Kind::WholeNumber) return number_;  // its digits read back unchanged
    return ReadNumber(ToText(locale));
}

QString TimeOfDayFormat(const QLocale& locale) {
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
    return format.trimmed();
}
