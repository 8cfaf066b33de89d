// SPDX-License-Identifier: GPL-3.0-or-later
// One table beside the connections: times in UTC seconds, the amount NULL when unknown.
#include "history/BalanceLog.h"

#include "core/Logging.h"
#include "history/HistoryStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QSqlQuery Query(HistoryStore& store) {
    return QSqlQuery(QSqlDatabase::database(store.ConnectionName(), false));
}

bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values) {
    if (!query.prepare(statement)) {
        qCDebug(lcHistory) << "balance:" << query.lastError().text();
        return false;
    }
    for (const QVariant& value : values) query.addBindValue(value);
    if (query.exec()) return true;
    qCDebug(lcHistory) << "balance:" << query.lastError().text();
    return false;
}

BalanceEntry EntryOf(const QSqlQuery& query) {
    BalanceEntry entry;
    entry.at = QDateTime::fromSecsSinceEpoch(query.value(0).toLongLong()).toLocalTime();
    if (!query.value(1).isNull()) entry.amount = query.value(1).toDouble();
    entry.text = query.value(2).toString();
    return entry;
}

}  // namespace

bool AddBalance(HistoryStore& store, const BalanceEntry& entry) {
    if (!store.IsOpen()) return false;
    QSqlQuery query = Query(store);
    // Older programs open the file as before and never look at this table.
    return Run(query,
               QStringLiteral("CREATE TABLE IF NOT EXISTS balance ("
                              " t INTEGER NOT NULL, amount REAL, answer TEXT NOT NULL)"),
               {}) &&
           Run(query, QStringLiteral("INSERT INTO balance (t, amount, answer) VALUES (?, ?, ?)"),
               {qint64(entry.at.toSecsSinceEpoch()),
                entry.amount ? QVariant(*entry.amount) : QVariant(QMetaType::fromType<double>()),
                entry.text});
}

QList<BalanceEntry> BalancesBetween(HistoryStore& store, const QDateTime& from,
                                    const QDateTime& to) {
    QList<BalanceEntry> entries;
    if (!store.IsOpen()) return entries;
    QSqlQuery query = Query(store);
    if (!Run(query,
             QStringLiteral("SELECT t, amount, answer FROM balance WHERE t >= ? AND t <= ?"
                            " AND amount IS NOT NULL ORDER BY t, rowid"),
             {qint64(from.toSecsSinceEpoch()), qint64(to.toSecsSinceEpoch())}))
        return entries;
    while (query.next()) entries.append(EntryOf(query));
    return entries;
}

std::optional<BalanceEntry> LastBalance(HistoryStore& store) {
    if (!store.IsOpen()) return std::nullopt;
    QSqlQuery query = Query(store);
    if (!Run(query,
             QStringLiteral("SELECT t, amount, answer FROM balance ORDER BY t DESC, rowid DESC"
                            " LIMIT 1"),
             {}) ||
        !query.next())
        return std::nullopt;
    return EntryOf(query);
}
