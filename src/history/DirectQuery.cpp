// SPDX-License-Identifier: GPL-3.0-or-later
// Reading rows through SQLite's own calls.
#include "history/DirectQuery.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace {

sqlite3* HandleOf(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

}  // namespace

ReadSnapshot::ReadSnapshot(const QSqlDatabase& db) {
    sqlite3* handle = HandleOf(db);
    // A failed begin leaves each query its own transaction, as without this.
    if (handle && sqlite3_get_autocommit(handle) &&
        sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
        db_ = handle;
}

ReadSnapshot::~ReadSnapshot() {
    // Never left open: the writes that follow begin transactions of their own.
    if (db_ && sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

DirectQuery::DirectQuery(const QSqlDatabase& db, const char* statement) : db_(HandleOf(db)) {
    if (db_ == nullptr) return;
    result_ = sqlite3_prepare_v2(db_, statement, -1, &statement_, nullptr);
    if (result_ != SQLITE_OK) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
}

DirectQuery::~DirectQuery() {
    sqlite3_finalize(statement_);
}

void DirectQuery::Bind(std::initializer_list<int64_t> values) {
    sqlite3_reset(statement_);
    int index = 1;
    for (const int64_t value : values) sqlite3_bind_int64(statement_, index++, value);
    result_ = SQLITE_OK;
}

bool DirectQuery::Next() {
    result_ = sqlite3_step(statement_);
    return result_ == SQLITE_ROW;
}

int64_t DirectQuery::Integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double DirectQuery::Real(int column) const {
    return sqlite3_column_double(statement_, column);
}

QByteArray DirectQuery::Blob(int column) const {
    const void* bytes = sqlite3_column_blob(statement_, column);
    return QByteArray::fromRawData(static_cast<const char*>(bytes),
                                   sqlite3_column_bytes(statement_, column));
}

QSqlError DirectQuery::Error() const {
    if (result_ == SQLITE_OK || result_ == SQLITE_ROW || result_ == SQLITE_DONE) return {};
    if (db_ == nullptr)
        return QSqlError(QString(), QStringLiteral("no SQLite handle"), QSqlError::ConnectionError);
    return QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db_)), QSqlError::StatementError,
                     QString::number(result_));
}
