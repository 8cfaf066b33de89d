// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a report in the three formats.
#include "history/ReportTable.h"

#include "budget/BillingPeriod.h"
#include "core/Numbers.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

// A moment in local time, ISO 8601 with the offset: 2026-03-10T20:00:00+03:00.
QString LocalIso(const QDateTime& time) {
    return time.toLocalTime()
        .toOffsetFromUtc(time.toLocalTime().offsetFromUtc())
        .toString(Qt::ISODate);
}

// The locale's decimal separator, without digit grouping, like every number the program shows.
QString Fixed(double value, int decimals, QLocale locale) {
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(RoundHalfEven(value, decimals), 'f', decimals);
}

double Number(const ReportValue& value) {
    if (const auto* whole = std::get_if<int64_t>(&value)) return double(*whole);
    if (const auto* real = std::get_if<double>(&value)) return *real;
    return 0;
}

// The value as the text table shows it.
QString TableText(const ReportValue& value, ColumnKind kind, const QLocale& locale) {
    if (std::holds_alternative<std::monostate>(value)) return QStringLiteral("—");
    switch (kind) {
        case ColumnKind::Text:
            return std::get<QString>(value);
        case ColumnKind::Date:
            return std::get<QDate>(value).toString(Qt::ISODate);
        case ColumnKind::Time:
            return std::get<QDateTime>(value).toLocalTime().toString(
                QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        case ColumnKind::Bytes:
            return Fixed(Number(value) / kBytesPerMb, 2, locale);
        case ColumnKind::Megabytes:
        case ColumnKind::Money:
            return Fixed(Number(value), 2, locale);
        case ColumnKind::Seconds:
            return DurationText(int64_t(Number(value)));
        case ColumnKind::Count:
            return QString::number(int64_t(Number(value)));
        case ColumnKind::Flag:
            return std::get<bool>(value) ? QCoreApplication::translate("ReportTable", "да")
                                         : QCoreApplication::translate("ReportTable", "нет");
    }
    return QString();
}

QJsonValue JsonValue(const ReportValue& value, ColumnKind kind) {
    if (std::holds_alternative<std::monostate>(value)) return QJsonValue(QJsonValue::Null);
    switch (kind) {
        case ColumnKind::Text:
            return std::get<QString>(value);
        case ColumnKind::Date:
            return std::get<QDate>(value).toString(Qt::ISODate);
        case ColumnKind::Time:
            return LocalIso(std::get<QDateTime>(value));
        case ColumnKind::Bytes:
        case ColumnKind::Seconds:
        case ColumnKind::Count:
            return qint64(Number(value));
        case ColumnKind::Megabytes:
        case ColumnKind::Money:
            return RoundHalfEven(Number(value), 2);
        case ColumnKind::Flag:
            return std::get<bool>(value);
    }
    return QJsonValue();
}

QString CsvField(const ReportValue& value, ColumnKind kind) {
    const QJsonValue json = JsonValue(value, kind);
    QString text;
    if (json.isString()) {
        text = json.toString();
    } else if (json.isBool()) {
        text = json.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    } else if (json.isDouble()) {
        text = kind == ColumnKind::Money || kind == ColumnKind::Megabytes
                   ? QString::number(json.toDouble(), 'f', 2)
                   : QString::number(json.toInteger());
    }
    const bool quote =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\r') || text.contains(u'\n');
    if (!quote) return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString Padded(const QString& text, int width, bool right) {
    return right ? text.rightJustified(width) : text.leftJustified(width);
}

bool AlignRight(ColumnKind kind) {
    return kind != ColumnKind::Text && kind != ColumnKind::Date && kind != ColumnKind::Time &&
           kind != ColumnKind::Flag;
}

}  // namespace

QString DurationText(int64_t seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString AsText(const ReportTable& table, const QLocale& locale) {
    QList<QStringList> cells{{}};
    QList<int> widths;
    for (const ReportColumn& column : table.columns) {
        cells[0].append(column.title);
        widths.append(int(column.title.size()));
    }
    for (const QList<ReportValue>& row : table.rows) {
        QStringList line;
        for (qsizetype c = 0; c < table.columns.size(); ++c) {
            line.append(TableText(row[c], table.columns[c].kind, locale));
            widths[c] = std::max(widths[c], int(line.last().size()));
        }
        cells.append(line);
    }
    QString out;
    for (const QStringList& line : cells) {
        QStringList padded;
        for (qsizetype c = 0; c < line.size(); ++c)
            padded.append(Padded(line[c], widths[c], AlignRight(table.columns[c].kind)));
        out += padded.join(QStringLiteral("  ")).trimmed() + u'\n';
    }
    return out;
}

QString AsTextRecord(const ReportTable& table, const QLocale& locale) {
    int width = 0;
    for (const ReportColumn& column : table.columns)
        width = std::max(width, int(column.title.size()));
    QString out;
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const ReportValue value = table.rows.isEmpty() ? ReportValue() : table.rows[0][c];
        out += QString(table.columns[c].title + u':').leftJustified(width + 2) +
               TableText(value, table.columns[c].kind, locale) + u'\n';
    }
    return out;
}

QString AsCsv(const ReportTable& table) {
    QStringList header;
    for (const ReportColumn& column : table.columns) header.append(column.key);
    QString out = header.join(u',') + QStringLiteral("\r\n");
    for (const QList<ReportValue>& row : table.rows) {
        QStringList fields;
        for (qsizetype c = 0; c < table.columns.size(); ++c)
            fields.append(CsvField(row[c], table.columns[c].kind));
        out += fields.join(u',') + QStringLiteral("\r\n");
    }
    return out;
}

QString AsJson(const ReportTable& table, bool single) {
    QJsonArray list;
    for (const QList<ReportValue>& row : table.rows) {
        QJsonObject object;
        for (qsizetype c = 0; c < table.columns.size(); ++c)
            object.insert(table.columns[c].key, JsonValue(row[c], table.columns[c].kind));
        list.append(object);
    }
    const QJsonDocument document =
        single ? QJsonDocument(list.isEmpty() ? QJsonObject() : list[0].toObject())
               : QJsonDocument(list);
    return QString::fromUtf8(document.toJson(QJsonDocument::Indented));
}

QString Written(const ReportTable& table, ReportFormat format, bool single, const QLocale& locale) {
    switch (format) {
        case ReportFormat::Csv:
            return AsCsv(table);
        case ReportFormat::Json:
            return AsJson(table, single);
        case ReportFormat::Table:
            break;
    }
    return single ? AsTextRecord(table, locale) : AsText(table, locale);
}
