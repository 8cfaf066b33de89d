// A value of the script language; it keeps its kind until it is read as text or number.
#include "script/ScriptValue.h"

#include "shell/Numbers.h"
#include "shell/TimeOfDay.h"

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
