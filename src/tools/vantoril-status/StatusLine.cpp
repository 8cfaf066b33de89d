// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of vantoril-status: text for any panel, the figures as JSON, Waybar's object.
#include "tools/vantoril-status/StatusLine.h"

#include "core/MoneyText.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {
constexpr double kWarningPercent = 80;
constexpr double kCriticalPercent = 100;

double Number(const QVariantMap& properties, const char* name) {
    return properties.value(QLatin1String(name)).toDouble();
}

QString Megabytes(double value, const QLocale& locale) {
    return locale.toString(value, 'f', 1) + QStringLiteral(" MB");
}

QString Json(const QJsonObject& object) {
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QString Duration(qulonglong seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// "12,34 из 100,00" against a limit, or the figure alone when there is none.
QString AgainstLimit(const QString& used, double limit, const QString& limitText) {
    return limit > 0 ? used + QCoreApplication::translate("StatusLine", " из ") + limitText : used;
}

QString Tooltip(const QVariantMap& p, const QLocale& locale, const QString& currency) {
    QStringList lines;
    const QString name = p.value(QStringLiteral("ConnectionName")).toString();
    if (p.value(QStringLiteral("Connected")).toBool())
        lines << name + QCoreApplication::translate("StatusLine", ": в сети ") +
                     Duration(p.value(QStringLiteral("OnlineSeconds")).toULongLong()) +
                     QStringLiteral(", ") + MoneyText(Number(p, "Cost"), currency, locale);
    else
        lines << QCoreApplication::translate("StatusLine", "Нет соединения");
    const double budget = Number(p, "Budget");
    lines << QCoreApplication::translate("StatusLine", "Период: ") +
                 AgainstLimit(MoneyText(Number(p, "PeriodBill"), currency, locale), budget,
                              MoneyText(budget, currency, locale));
    const double cap = Number(p, "CapMB");
    lines << QCoreApplication::translate("StatusLine", "Трафик периода: ") +
                 AgainstLimit(Megabytes(Number(p, "PeriodMB"), locale), cap,
                              Megabytes(cap, locale));
    const QString message = p.value(QStringLiteral("Message")).toString();
    if (!message.isEmpty()) lines << message;
    return lines.join(u'\n');
}
}  // namespace

ParsedStatusOptions ParseStatusOptions(const QStringList& arguments) {
    StatusOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--help" || argument == u"-h") return {std::nullopt, QString(), true};
        if (argument == u"--follow") {
            options.follow = true;
        } else if (argument == u"--format" || argument == u"--folder") {
            if (i + 1 >= arguments.size())
                return {std::nullopt, argument + QStringLiteral(" needs a value"), false};
            const QString& value = arguments[++i];
            if (argument == u"--folder")
                options.folder = value;
            else if (value == u"text")
                options.format = StatusFormat::Text;
            else if (value == u"json")
                options.format = StatusFormat::Json;
            else if (value == u"waybar")
                options.format = StatusFormat::Waybar;
            else
                return {std::nullopt,
                        QStringLiteral("the format is text, json or waybar, not: ") + value, false};
        } else {
            return {std::nullopt, QStringLiteral("unknown argument: ") + argument, false};
        }
    }
    return {options, QString(), false};
}

QString StatusUsage() {
    return QStringLiteral(
        "usage: vantoril-status [--format text|json|waybar] [--follow] [--folder DIR]\n"
        "Prints the running Vantoril's figures on one line; --follow prints a new line at\n"
        "each change. Exit status 3 when Vantoril is not running.\n");
}

PeriodShare ShareOf(const QVariantMap& properties) {
    const double budget = Number(properties, "Budget");
    const double cap = Number(properties, "CapMB");
    double percent = 0;
    if (budget > 0) percent = Number(properties, "PeriodBill") / budget * 100;
    if (cap > 0) percent = std::max(percent, Number(properties, "PeriodMB") / cap * 100);
    const QString level = percent >= kCriticalPercent  ? QStringLiteral("critical")
                          : percent >= kWarningPercent ? QStringLiteral("warning")
                                                       : QStringLiteral("ok");
    return {percent, level};
}

QString StatusLine(const QVariantMap& properties, StatusFormat format, const QLocale& locale,
                   const QString& currency) {
    if (format == StatusFormat::Json) return Json(QJsonObject::fromVariantMap(properties));
    const QString text = MoneyText(Number(properties, "PeriodBill"), currency, locale) +
                         QStringLiteral(" · ") + Megabytes(Number(properties, "PeriodMB"), locale);
    if (format == StatusFormat::Text) return text;
    const PeriodShare share = ShareOf(properties);
    return Json({{QStringLiteral("text"), text},
                 {QStringLiteral("tooltip"), Tooltip(properties, locale, currency)},
                 {QStringLiteral("class"), share.level},
                 {QStringLiteral("percentage"), qRound(std::min(share.percent, 1e6))}});
}

QString StoppedLine(StatusFormat format) {
    if (format == StatusFormat::Text) return QString();
    return Json({{QStringLiteral("text"), QString()},
                 {QStringLiteral("class"), QStringLiteral("stopped")}});
}
