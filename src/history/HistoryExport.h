// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the current period's connections or days to a file, byte for byte as
// `vantoril-history connections --from START --to END` and `vantoril-history days` do.
#pragma once

#include "history/ReportTable.h"

#include <QDateTime>
#include <QString>

#include <optional>

class ProgramFolder;

enum class ExportKind { Connections, Days };

// The report's text for the period holding `now`; nothing and `error` in plain words when
// the history cannot be read.
std::optional<QString> PeriodExportText(const ProgramFolder& folder, const QDateTime& now,
                                        ExportKind kind, ReportFormat format,
                                        QString* error = nullptr);
// The same, written to `path` whole or not at all.
[[nodiscard]] bool ExportPeriod(const ProgramFolder& folder, const QDateTime& now, ExportKind kind,
                                ReportFormat format, const QString& path, QString* error = nullptr);
