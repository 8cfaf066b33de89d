// SPDX-License-Identifier: GPL-3.0-or-later
// Checking and reading price texts in the user's locale.
#include "tariff/PriceText.h"

#include "core/Numbers.h"

#include <QCoreApplication>

#include <limits>

namespace {

// The classes as the editor shows them, by colour.
const char* const kClassNames[4] = {
    QT_TRANSLATE_NOOP("PriceText", "красного"), QT_TRANSLATE_NOOP("PriceText", "синего"),
    QT_TRANSLATE_NOOP("PriceText", "жёлтого"), QT_TRANSLATE_NOOP("PriceText", "голубого")};

QString SeparatorExample(const QLocale& locale) {
    return QStringLiteral("1") + locale.decimalPoint() + QStringLiteral("5");
}

}  // namespace

bool IsPriceCharacter(QChar character, const QLocale& locale) {
    if (character >= u'0' && character <= u'9') return true;
    const QString separator = locale.decimalPoint();
    return separator.size() == 1 && character == separator.front();
}

QString PriceTextError(const QString& text, const QLocale& locale) {
    if (const std::optional<float> price = ReadLocaleSingle(text, locale)) {
        if (*price < 0)
            return QCoreApplication::translate("PriceText", "Цена «%1» меньше нуля.").arg(text);
        return QString();
    }
    if (text.trimmed().isEmpty())
        return QCoreApplication::translate("PriceText", "Цена не указана.");
    if (ReadLocaleNumber(text, locale)) {
        return QCoreApplication::translate(
                   "PriceText", "Цена «%1» слишком велика: наибольшая возможная цена %2.")
            .arg(text, NumberText(std::numeric_limits<float>::max(), locale));
    }
    return QCoreApplication::translate(
               "PriceText",
               "«%1» не является числом. Введите цену цифрами; дробную часть "
               "отделите знаком «%2», например %3.")
        .arg(text, locale.decimalPoint(), SeparatorExample(locale));
}

bool ReadPriceTexts(const QStringList& texts, const QLocale& locale, std::array<float, 4>* prices,
                    QString* error) {
    std::array<float, 4> read{};
    for (int c = 0; c < 4; ++c) {
        const QString text = c < texts.size() ? texts[c] : QString();
        const QString problem = PriceTextError(text, locale);
        if (!problem.isEmpty()) {
            if (error)
                *error = QCoreApplication::translate("PriceText", "Цена %1 класса (%2): %3")
                             .arg(QCoreApplication::translate("PriceText", kClassNames[c]))
                             .arg(c)
                             .arg(problem);
            return false;
        }
        read[c] = *ReadLocaleSingle(text, locale);
    }
    *prices = read;
    return true;
}
