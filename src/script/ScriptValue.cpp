// SPDX-License-Identifier: GPL-3.0-or-later
// A value of the script language; it keeps its kind until it is read as text or number.
#include "script/ScriptValue.h"

#include "core/Numbers.h"
#include "core/TimeOfDay.h"

ScriptValue::ScriptValue(Kind kind, QString text, double number, QTime time)
    : kind_(kind), text_(std::move(text)), number_(number), time_(time) {}

ScriptValue ScriptValue::Text(QString text) {
    return {Kind::Text, std::move(text), 0, {}};
}

ScriptValue ScriptValue::Number(double number) {
    return {Kind::Number, {}, number, {}};
}

ScriptValue ScriptValue::TimeOfDay(QTime time) {
    return {Kind::TimeOfDay, {}, 0, QTime(time.hour(), time.minute(), time.second())};
}

ScriptValue ScriptValue::WholeNumber(int number) {
    return {Kind::WholeNumber, {}, double(number), {}};
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
