// SPDX-License-Identifier: GPL-3.0-or-later
// A report's rows and how they are written: aligned text, CSV (RFC 4180) or JSON.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <variant>

// What a column holds; it decides how each format writes it.
enum class ColumnKind {
    Text,
    Date,   // a local calendar day
    Time,   // a moment, written in local time
    Bytes,  // a byte count; the text table shows MB
    Megabytes,
    Money,    // 2 decimals
    Seconds,  // the text table shows H:MM:SS
    Count,
    Flag,
};

struct ReportColumn {
    QString key;    // JSON key and CSV header
    QString title;  // the text table's header
    ColumnKind kind = ColumnKind::Text;
};

// Empty (std::monostate) is "none": JSON null, an empty CSV field, a dash in the table.
using ReportValue = std::variant<std::monostate, QString, QDate, QDateTime, int64_t, double, bool>;

struct ReportTable {
    QList<ReportColumn> columns;
    QList<QList<ReportValue>> rows;  // each as long as columns
};

// Columns aligned, numbers in the locale's form, a header line first.
QString AsText(const ReportTable& table, const QLocale& locale);
// Header row, then one record per row, CR LF ends, "." decimals, quoted where needed.
QString AsCsv(const ReportTable& table);
// A list of objects, or with `single` the first row as one object.
QString AsJson(const ReportTable& table, bool single = false);
// One row as "title: value" lines, for a report of one thing.
QString AsTextRecord(const ReportTable& table, const QLocale& locale);

enum class ReportFormat { Table, Csv, Json };
// The report in `format`; `single`: a report of one thing (one object, one record).
QString Written(const ReportTable& table, ReportFormat format, bool single, const QLocale& locale);

// Seconds as H:MM:SS, the hours not limited to a day.
QString DurationText(int64_t seconds);
