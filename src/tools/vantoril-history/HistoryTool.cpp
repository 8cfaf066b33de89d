// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of vantoril-history.
#include "tools/vantoril-history/HistoryTool.h"

#include "budget/BillingPeriod.h"
#include "core/Clock.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "history/HistoryReports.h"
#include "history/HistoryStore.h"
#include "tools/vantoril-history/HistoryToolOptions.h"

#include <QDir>
#include <QFileInfo>

namespace {

enum ExitStatus { kDone = 0, kUnreadable = 1, kUnusable = 2 };

// A days report longer than this is a mistake in the dates, not a wish for millions of rows.
constexpr qint64 kMostDays = 36525;  // 100 years

using Command = HistoryToolOptions::Command;

QString Unreadable(const HistoryError& error, const QString& path) {
    switch (error.problem) {
        case HistoryProblem::NotFound:
            return QStringLiteral(
                       "no history in %1 yet: it begins with the first connection the"
                       " program meters")
                .arg(QDir::toNativeSeparators(QFileInfo(path).path()));
        case HistoryProblem::NoDriver:
            return QStringLiteral("Qt's SQLite driver is missing (Debian: libqt6sql6-sqlite)");
        case HistoryProblem::NewerFormat:
            return QStringLiteral("%1 was written by a newer version of Vantoril").arg(path);
        case HistoryProblem::OlderFormat:
            return QStringLiteral(
                       "%1 was written by an earlier version of Vantoril; start the program"
                       " once to upgrade it, this tool only reads it")
                .arg(path);
        case HistoryProblem::Foreign:
            return QStringLiteral("%1 belongs to another program; it is left as it is").arg(path);
        case HistoryProblem::Busy:
            return QStringLiteral("%1 is locked by another program; try again later").arg(path);
        case HistoryProblem::Corrupt:
            return QStringLiteral("%1 is damaged; the program moves it aside at its next start")
                .arg(path);
        default:
            return QStringLiteral("cannot read %1: %2").arg(path, error.detail);
    }
}

}  // namespace

int RunHistoryTool(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   const Clock& clock, const QLocale& locale) {
    const ParsedHistoryOptions parsed = ParseHistoryToolOptions(arguments);
    if (parsed.help) {
        out << HistoryToolUsage() << Qt::flush;
        return kDone;
    }
    if (!parsed.options) {
        err << "vantoril-history: " << parsed.error << '\n' << HistoryToolUsage() << Qt::flush;
        return kUnusable;
    }
    const HistoryToolOptions& options = *parsed.options;
    // The program's own folder, found without creating or copying anything: the tool only reads.
    if (options.folder && !QFileInfo(*options.folder).isDir()) {
        err << "vantoril-history: the folder " << QDir::toNativeSeparators(*options.folder)
            << " does not exist" << Qt::endl;
        return kUnusable;
    }
    const ProgramFolder folder(
        options.folder ? *options.folder
                       : ProgramFolder::ChosenPath(ProgramFolderSources::OfThisProcess()));
    HistoryStore store(folder.AppFilePath(kHistoryFile));
    if (!store.Open(HistoryStore::Mode::ReadOnly)) {
        err << "vantoril-history: " << Unreadable(store.LastError(), store.Path()) << Qt::endl;
        return store.LastError().problem == HistoryProblem::NotFound ? kUnusable : kUnreadable;
    }
    const QDateTime now = clock.Now();
    const BillingPeriod period =
        PeriodContaining(now.date(), LimitsOf(LoadSettings(folder)).cycleDay);
    ReportTable table;
    switch (options.command) {
        case Command::Connections:
            table = ConnectionsTable(store, options.from, options.to);
            break;
        case Command::Days: {
            const QDate first = options.from.value_or(period.start);
            const QDate last = options.to.value_or(DefaultLastDay(period, first, now.date()));
            if (first.daysTo(last) >= kMostDays) {
                err << "vantoril-history: days from " << first.toString(Qt::ISODate) << " to "
                    << last.toString(Qt::ISODate) << " are more than 100 years;"
                    << " give a shorter span with --from and --to" << Qt::endl;
                return kUnusable;
            }
            table = DaysTable(store, first, last);
            break;
        }
        case Command::Period:
            table = PeriodTable(StoredPeriodReport(store, LimitsOf(LoadSettings(folder)), now));
            break;
    }
    if (store.LastError().problem != HistoryProblem::None) {
        err << "vantoril-history: " << Unreadable(store.LastError(), store.Path()) << Qt::endl;
        return kUnreadable;
    }
    out << Written(table, options.format, options.command == Command::Period, locale) << Qt::flush;
    return kDone;
}
