// The commands of vantoril-history.
#include "tools/vantoril-history/HistoryTool.h"

#include "history/HistoryReports.h"
#include "shell/Clock.h"
#include "shell/ProgramFolder.h"
#include "shell/Settings.h"
#include "tools/vantoril-history/HistoryToolOptions.h"
#include "tools/vantoril-history/ReportTable.h"

#include <QDir>

namespace {

enum ExitStatus { kDone = 0, kUnreadable = 1, kUnusable = 2 };

using Command = HistoryToolOptions::Command;
using Format = HistoryToolOptions::Format;

const QString kReceived = QStringLiteral("Принято, МБ");
const QString kSent = QStringLiteral("Отправлено, МБ");
const QString kCost = QStringLiteral("Стоимость");

ReportTable Connections(HistoryStore& store, const HistoryToolOptions& options) {
    ReportTable table;
    table.columns = {{QStringLiteral("name"), QStringLiteral("Соединение"), ColumnKind::Text},
                     {QStringLiteral("start"), QStringLiteral("Начало"), ColumnKind::Time},
                     {QStringLiteral("end"), QStringLiteral("Конец"), ColumnKind::Time},
                     {QStringLiteral("received_bytes"), kReceived, ColumnKind::Bytes},
                     {QStringLiteral("sent_bytes"), kSent, ColumnKind::Bytes},
                     {QStringLiteral("online_seconds"), QStringLiteral("В сети"), ColumnKind::Seconds},
                     {QStringLiteral("cost"), kCost, ColumnKind::Money},
                     {QStringLiteral("cut_short"), QStringLiteral("Прервано"), ColumnKind::Flag}};
    const QDateTime from = options.from ? options.from->startOfDay()
                                        : QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
    const QDateTime to = options.to ? options.to->addDays(1).startOfDay()
                                    : QDateTime(QDate(9999, 1, 1), QTime(0, 0), Qt::UTC);
    for (const ConnectionRecord& row : store.Connections(from, to)) {
        const ReportValue end = row.Open() ? ReportValue() : ReportValue(row.end);
        table.rows.append({row.name, row.start, end, row.figures.usage.received,
                           row.figures.usage.sent, row.figures.onlineSeconds,
                           row.figures.usage.cost, row.cutShort});
    }
    return table;
}

ReportTable Days(HistoryStore& store, const HistoryToolOptions& options, const BillingPeriod& period,
                 const QDate& today) {
    ReportTable table;
    table.columns = {{QStringLiteral("date"), QStringLiteral("Дата"), ColumnKind::Date},
                     {QStringLiteral("received_bytes"), kReceived, ColumnKind::Bytes},
                     {QStringLiteral("sent_bytes"), kSent, ColumnKind::Bytes},
                     {QStringLiteral("cost"), kCost, ColumnKind::Money}};
    const QDate first = options.from.value_or(period.start);
    const QDate last = options.to.value_or(std::max(first, std::min(today, period.LastDay())));
    for (const DayUsage& day : UsagePerDay(store, first, last))
        table.rows.append({day.date, day.usage.received, day.usage.sent, day.usage.cost});
    return table;
}

ReportTable Period(HistoryStore& store, const ProgramFolder& folder, const QDateTime& now) {
    const PeriodReport report = StoredPeriodReport(store, LimitsOf(LoadSettings(folder)), now);
    const auto limit = [](double value) { return value > 0 ? ReportValue(value) : ReportValue(); };
    ReportTable table;
    table.columns = {
        {QStringLiteral("start"), QStringLiteral("Начало периода"), ColumnKind::Date},
        {QStringLiteral("end"), QStringLiteral("Конец периода"), ColumnKind::Date},
        {QStringLiteral("days_elapsed"), QStringLiteral("Прошло дней"), ColumnKind::Count},
        {QStringLiteral("days_left"), QStringLiteral("Осталось дней"), ColumnKind::Count},
        {QStringLiteral("received_bytes"), kReceived, ColumnKind::Bytes},
        {QStringLiteral("sent_bytes"), kSent, ColumnKind::Bytes},
        {QStringLiteral("cost"), kCost, ColumnKind::Money},
        {QStringLiteral("budget"), QStringLiteral("Бюджет"), ColumnKind::Money},
        {QStringLiteral("cap_mb"), QStringLiteral("Лимит, МБ"), ColumnKind::Megabytes},
        {QStringLiteral("projected_cost"), QStringLiteral("Прогноз стоимости"), ColumnKind::Money},
        {QStringLiteral("projected_mb"), QStringLiteral("Прогноз, МБ"), ColumnKind::Megabytes},
        {QStringLiteral("safe_per_day"), QStringLiteral("Можно тратить в день"), ColumnKind::Money}};
    table.rows.append({report.period.start, report.period.LastDay(), int64_t(report.daysElapsed),
                       int64_t(report.daysLeft), report.used.received, report.used.sent,
                       report.used.cost, limit(report.budget), limit(report.capMb),
                       report.projectedCost, report.projectedMb,
                       report.safePerDay ? ReportValue(*report.safePerDay) : ReportValue()});
    return table;
}

QString Written(const ReportTable& table, Format format, bool single, const QLocale& locale) {
    switch (format) {
        case Format::Csv:
            return AsCsv(table);
        case Format::Json:
            return AsJson(table, single);
        case Format::Table:
            break;
    }
    return single ? AsTextRecord(table, locale) : AsText(table, locale);
}

QString Unreadable(const HistoryError& error, const QString& path) {
    switch (error.problem) {
        case HistoryProblem::NotFound:
            return QStringLiteral("no history in %1 yet: it begins with the first connection the"
                                  " program meters")
                .arg(QDir::toNativeSeparators(QFileInfo(path).path()));
        case HistoryProblem::NoDriver:
            return QStringLiteral("Qt's SQLite driver is missing (Debian: libqt6sql6-sqlite)");
        case HistoryProblem::NewerFormat:
            return QStringLiteral("%1 was written by a newer version of Vantoril").arg(path);
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
    const ProgramFolder folder(options.folder ? *options.folder
                                              : ProgramFolder::ChosenPath(
                                                    ProgramFolderSources::OfThisProcess()));
    HistoryStore store(folder.AppFilePath(kHistoryFile));
    if (!store.Open(HistoryStore::Mode::ReadOnly)) {
        err << "vantoril-history: " << Unreadable(store.LastError(), store.Path()) << Qt::endl;
        return store.LastError().problem == HistoryProblem::NotFound ? kUnusable : kUnreadable;
    }
    const QDateTime now = clock.Now();
    const BillingPeriod period = PeriodContaining(now.date(), LimitsOf(LoadSettings(folder)).cycleDay);
    ReportTable table;
    switch (options.command) {
        case Command::Connections:
            table = Connections(store, options);
            break;
        case Command::Days:
            table = Days(store, options, period, now.date());
            break;
        case Command::Period:
            table = Period(store, folder, now);
            break;
    }
    if (store.LastError().problem != HistoryProblem::None) {
        err << "vantoril-history: " << Unreadable(store.LastError(), store.Path()) << Qt::endl;
        return kUnreadable;
    }
    out << Written(table, options.format, options.command == Command::Period, locale) << Qt::flush;
    return kDone;
}
