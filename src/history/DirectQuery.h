// SPDX-License-Identifier: GPL-3.0-or-later
// A read through SQLite's own calls on a Qt SQL connection, for reads of many rows: Qt's
// driver hands each value over as a QVariant, which costs more than the read itself when a
// report over years goes through tens of thousands of rows. Qt's SQLite driver on this
// system uses the system's SQLite library, the one this links to.
#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QSqlError>

#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

class DirectQuery {
public:
    DirectQuery(const QSqlDatabase& db, const char* statement);
    ~DirectQuery();
    DirectQuery(const DirectQuery&) = delete;
    DirectQuery& operator=(const DirectQuery&) = delete;

    bool Prepared() const { return statement_ != nullptr; }
    // Binds the values from the first placeholder on, after resetting the statement.
    void Bind(std::initializer_list<int64_t> values);
    // The next row: false at the end or on failure; then Error() tells which.
    bool Next();
    int64_t Integer(int column) const;
    double Real(int column) const;
    // Valid until the next call of Next() or Bind().
    QByteArray Blob(int column) const;
    // No error when the rows simply ended.
    QSqlError Error() const;

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
    int result_ = 0;
};

// One read transaction over several queries: one snapshot and one lock of the file for all
// of them, instead of one per query. Nothing when a transaction is already open.
class ReadSnapshot {
public:
    explicit ReadSnapshot(const QSqlDatabase& db);
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;

private:
    sqlite3* db_ = nullptr;
};
