// SPDX-License-Identifier: GPL-3.0-or-later
// The history window's export, over the same report writers as the command-line tool.
#include "history/HistoryExport.h"

#include "core/AtomicFile.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "history/HistoryMessages.h"
#include "history/HistoryReports.h"
#include "history/HistoryStore.h"

#include <QCoreApplication>

namespace {

void Tell(QString* error, const QString& text) {
    if (error) *error = text;
}

}  // namespace

std::optional<QString> PeriodExportText(const ProgramFolder& folder, const QDateTime& now,
                                        ExportKind kind, ReportFormat format, QString* error) {
    HistoryStore store(folder.AppFilePath(QLatin1String(kHistoryFile)));
    if (!store.Open(HistoryStore::Mode::ReadOnly)) {
        Tell(error, store.LastError().problem == HistoryProblem::NotFound
                        ? QCoreApplication::translate("HistoryExport",
                                                      "Истории пока нет: выгружать нечего.")
                        : HistoryProblemText(store.LastError(), store.Path()));
        return std::nullopt;
    }
    const BillingPeriod period =
        PeriodContaining(now.date(), LimitsOf(LoadSettings(folder)).cycleDay);
    const ReportTable table =
        kind == ExportKind::Connections
            ? ConnectionsTable(store, period.start, period.LastDay())
            : DaysTable(store, period.start, DefaultLastDay(period, period.start, now.date()));
    if (store.LastError().problem != HistoryProblem::None) {
        Tell(error, HistoryProblemText(store.LastError(), store.Path()));
        return std::nullopt;
    }
    return Written(table, format, false, QLocale::c());
}

bool ExportPeriod(const ProgramFolder& folder, const QDateTime& now, ExportKind kind,
                  ReportFormat format, const QString& path, QString* error) {
    const std::optional<QString> text = PeriodExportText(folder, now, kind, format, error);
    if (!text) return false;
    return ReplaceFileAtomically(path, text->toUtf8(), error);
}
