// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the amount out of operator text, which follows no common format.
#include "modem/BalanceAnswer.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>

namespace {

struct Amount {
    qsizetype start = 0;
    double value = 0;
};

bool IsBlank(QChar c) {
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

bool IsMinus(QChar c) {
    return c == u'-' || c == QChar(0x2212) || c == QChar(0x2013);
}

// The digits and separators of one figure from `start`: a blank only where a group of
// exactly three digits follows it. The trailing separator of a sentence is not taken.
qsizetype FigureEnd(const QString& text, qsizetype start) {
    qsizetype end = start;
    while (end < text.size()) {
        const QChar c = text[end];
        if (c.isDigit()) {
            ++end;
        } else if ((c == u'.' || c == u',') && end + 1 < text.size() && text[end + 1].isDigit()) {
            ++end;
        } else if (IsBlank(c) && end + 3 < text.size() && text[end + 1].isDigit() &&
                   text[end + 2].isDigit() && text[end + 3].isDigit() &&
                   (end + 4 >= text.size() || !text[end + 4].isDigit())) {
            end += 4;
        } else {
            break;
        }
    }
    return end;
}

// The value of a figure without blanks; nothing for a date such as 07.12.2026.
std::optional<double> FigureValue(QString figure) {
    const qsizetype lastPoint = figure.lastIndexOf(u'.');
    const qsizetype lastComma = figure.lastIndexOf(u',');
    const qsizetype last = std::max(lastPoint, lastComma);
    if (last >= 0) {
        const QChar decimal = figure[last];
        const QStringList groups = figure.split(QRegularExpression(QStringLiteral("[.,]")));
        const bool bothKinds = lastPoint >= 0 && lastComma >= 0;
        const bool onlyThousands = !bothKinds && groups.size() >= 2 && groups.first() != u"0" &&
                                   std::all_of(groups.begin() + 1, groups.end(),
                                               [](const QString& g) { return g.size() == 3; });
        if (onlyThousands) {
            figure.remove(decimal);
        } else {
            // Every separator before the last one must part thousands.
            const QStringList whole =
                figure.left(last).split(QRegularExpression(QStringLiteral("[.,]")));
            for (qsizetype i = 1; i < whole.size(); ++i)
                if (whole[i].size() != 3) return std::nullopt;
            if (whole.size() > 1 && figure.left(last).contains(decimal)) return std::nullopt;
            figure = figure.left(last).remove(u'.').remove(u',') + u'.' + figure.mid(last + 1);
        }
    }
    bool ok = false;
    const double value = figure.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

bool NegativeBefore(const QString& text, qsizetype start) {
    qsizetype i = start - 1;
    if (i >= 0 && IsBlank(text[i])) --i;
    if (i >= 0 && IsMinus(text[i])) return i == 0 || !text[i - 1].isDigit();
    static const QRegularExpression word(QStringLiteral("(минус|minus)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return word.match(text.left(start)).hasMatch();
}

// Every amount of the text in order, with where it starts.
QList<Amount> Amounts(const QString& text) {
    QList<Amount> amounts;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!text[i].isDigit() ||
            (i > 0 && (text[i - 1].isLetterOrNumber() || text[i - 1] == u'_'))) {
            ++i;
            continue;
        }
        const qsizetype end = FigureEnd(text, i);
        const QChar before = i > 0 ? text[i - 1] : QChar();
        const QChar after = end < text.size() ? text[end] : QChar();
        // A service code, a time of day or a fraction of something else.
        // A label's date ("на 07.12:") ends at a colon; a time has digits on both sides.
        const bool notMoney = before == u'*' || before == u'#' || after == u'#' || after == u'*' ||
                              after == u':' || after == u'/' || before == u'/' ||
                              (before == u':' && i >= 2 && text[i - 2].isDigit());
        QString figure = text.mid(i, end - i);
        figure.removeIf([](QChar c) { return IsBlank(c); });
        if (!notMoney) {
            if (const std::optional<double> value = FigureValue(figure)) {
                const bool negative = NegativeBefore(text, i);
                amounts.append({i, negative ? -*value : *value});
            }
        }
        i = end;
    }
    return amounts;
}

}  // namespace

std::optional<double> BalanceInAnswer(const QString& answer) {
    const QList<Amount> amounts = Amounts(answer);
    if (amounts.isEmpty()) return std::nullopt;
    static const QRegularExpression word(QStringLiteral("баланс|остаток|на сч[её]т|balance|credit"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch named = word.match(answer);
    if (named.hasMatch())
        for (const Amount& amount : amounts)
            if (amount.start >= named.capturedEnd()) return amount.value;
    return amounts.first().value;
}
