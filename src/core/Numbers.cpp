// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing numbers as text.
#include "core/Numbers.h"

#include "core/LocaleAnswer.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool IsSkipped(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text without blanks, tabs and line feeds, as Latin-1 bytes (other characters
// cannot be part of a number, so they become a stop character).
std::string Squeezed(QStringView text) {
    std::string out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (IsSkipped(c)) continue;
        out.push_back(c.unicode() < 0x80 ? char(c.unicode()) : '\x7f');
    }
    return out;
}

double ReadWholeNumber(const std::string& s, size_t from, int base) {
    double value = 0;
    for (size_t i = from; i < s.size(); ++i) {
        int digit = -1;
        const char c = s[i];
        if (IsDigit(c))
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= base) break;
        value = value * base + digit;
    }
    return value;
}

// Length of the decimal number at the start of s: sign, digits, ".", digits, exponent.
size_t DecimalLength(const std::string& s, bool* hasDigits) {
    size_t i = 0;
    const auto digits = [&] {
        const size_t start = i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        return i > start;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool any = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        any = digits() || any;
    }
    *hasDigits = any;
    if (!any) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        size_t mark = i++;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (!digits()) i = mark;  // "1e" is 1: the exponent is not there
    }
    return i;
}

struct Decimal {
    std::string digits;  // significant digits, no trailing zeros, at least one
    int exponent = 0;    // power of ten of the first digit
    bool negative = false;
};

Decimal ToDecimal(double value, int significant) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer - 1, value,
                                       std::chars_format::scientific, significant - 1);
    *written.ptr = '\0';
    Decimal d;
    const char* p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p)
        if (IsDigit(*p)) d.digits.push_back(*p);
    d.exponent = std::atoi(p + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

QString FormatNumber(double value, int significant, const QLocale& locale) {
    if (!std::isfinite(value)) return locale.toString(value);
    if (value == 0) return QStringLiteral("0");
    const Decimal d = ToDecimal(value, significant);
    const QString& separator =
        RememberedAnswer(locale, [](const QLocale& l) { return l.decimalPoint(); });
    // Built in one string: the indicator formats several numbers at every tick.
    const QLatin1String digits(d.digits.data(), qsizetype(d.digits.size()));
    QString text;
    text.reserve(digits.size() + separator.size() + 24);
    if (d.negative) text += u'-';
    if (d.exponent >= significant || d.exponent < -4) {
        text += digits.left(1);
        if (digits.size() > 1) text += separator + digits.mid(1);
        const int magnitude = std::abs(d.exponent);
        text += d.exponent < 0 ? QLatin1String("E-") : QLatin1String("E+");
        if (magnitude < 10) text += u'0';
        text += QString::number(magnitude);
    } else if (d.exponent < 0) {
        text += u'0' + separator;
        for (int zero = 1; zero < -d.exponent; ++zero) text += u'0';
        text += digits;
    } else {
        const int whole = d.exponent + 1;
        text += digits.left(whole);
        for (qsizetype zero = digits.size(); zero < whole; ++zero) text += u'0';
        if (digits.size() > whole) text += separator + digits.mid(whole);
    }
    return text;
}

template <typename Int>
Int RoundSaturating(double value) {
    if (std::isnan(value)) return 0;
    const double r = RoundHalfEven(value);
    if (r <= double(std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
    if (r >= double(std::numeric_limits<Int>::max())) return std::numeric_limits<Int>::max();
    return Int(r);
}

}  // namespace

double ReadNumber(QStringView text) {
    const std::string s = Squeezed(text);
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return ReadWholeNumber(s, 2, 16);
        if (s[1] == 'O' || s[1] == 'o') return ReadWholeNumber(s, 2, 8);
    }
    bool hasDigits = false;
    const size_t length = DecimalLength(s, &hasDigits);
    if (!hasDigits) return 0;
    std::string number = s.substr(s[0] == '+' ? 1 : 0, length - (s[0] == '+' ? 1 : 0));
    for (char& c : number)
        if (c == 'D' || c == 'd') c = 'e';
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Beyond the double range: infinity of the right sign; below it: zero.
        const bool tiny = number.find_first_of("eE") != std::string::npos &&
                          number[number.find_first_of("eE") + 1] == '-';
        if (tiny) return 0;
        return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}

std::optional<double> ReadLocaleNumber(QStringView text, const QLocale& locale) {
    QLocale strict(locale);
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<float> ReadLocaleSingle(QStringView text, const QLocale& locale) {
    const std::optional<double> value = ReadLocaleNumber(text, locale);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return float(*value);
}

QString NumberText(double value, const QLocale& locale) {
    return FormatNumber(value, 15, locale);
}

QString NumberText(float value, const QLocale& locale) {
    return FormatNumber(value, 7, locale);
}

double RoundHalfEven(double value, int decimals) {
    if (decimals == 0) return std::nearbyint(value);
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(value * scale) / scale;
}

int16_t RoundToInt16(double value) {
    return RoundSaturating<int16_t>(value);
}

int32_t RoundToInt32(double value) {
    return RoundSaturating<int32_t>(value);
}
