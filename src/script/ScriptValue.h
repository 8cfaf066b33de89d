// SPDX-License-Identifier: GPL-3.0-or-later
// A value of the script language; it keeps its kind until it is read as text or number.
#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

class ScriptValue {
public:
    enum class Kind { Empty, Text, Number, TimeOfDay, WholeNumber };

    ScriptValue() = default;  // the empty value: an unknown name, a command's lack of result
    static ScriptValue Text(QString text);
    static ScriptValue Number(double number);  // double precision, always finite
    static ScriptValue TimeOfDay(QTime time);  // to the second
    static ScriptValue WholeNumber(int number);

    Kind kind() const { return kind_; }

    // Numbers by the general number format of the locale, times of day by its long time
    // format, whole numbers as decimal digits, the empty value as the empty text.
    QString ToText(const QLocale& locale) const;
    // The text read by the number-reading rule: with a decimal comma, 1.25 reads as 1.
    double ToNumber(const QLocale& locale) const;

private:
    ScriptValue(Kind kind, QString text, double number, QTime time);

    Kind kind_ = Kind::Empty;
    QString text_;
    double number_ = 0;
    QTime time_;
};
