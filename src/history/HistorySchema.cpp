// SPDX-License-Identifier: GPL-3.0-or-later
// The history database's schema, version by version.
#include "history/HistorySchema.h"

QStringList HistoryMigration(int version) {
    switch (version) {
        case 1:
            return {
                // Times of connections: UTC, ISO 8601 with "Z", so text order is time order.
                QStringLiteral("CREATE TABLE connections ("
                               " id INTEGER PRIMARY KEY,"
                               " name TEXT NOT NULL,"
                               " link_source TEXT NOT NULL DEFAULT '',"
                               " start_utc TEXT NOT NULL,"
                               " end_utc TEXT,"  // NULL while open
                               " received_bytes INTEGER NOT NULL DEFAULT 0,"
                               " sent_bytes INTEGER NOT NULL DEFAULT 0,"
                               " online_seconds INTEGER NOT NULL DEFAULT 0,"
                               " tariff_type INTEGER NOT NULL DEFAULT 0,"
                               " cost REAL NOT NULL DEFAULT 0,"
                               " booked INTEGER NOT NULL DEFAULT 0,"
                               " cut_short INTEGER NOT NULL DEFAULT 0)"),
                QStringLiteral("CREATE INDEX connections_by_start ON connections(start_utc)"),
                QStringLiteral("CREATE INDEX connections_open ON connections(end_utc)"),
                // Cumulative figures of a connection since it was made; t in UTC seconds.
                QStringLiteral("CREATE TABLE samples ("
                               " connection INTEGER NOT NULL REFERENCES connections(id),"
                               " t INTEGER NOT NULL,"
                               " received_bytes INTEGER NOT NULL,"
                               " sent_bytes INTEGER NOT NULL,"
                               " online_seconds INTEGER NOT NULL,"
                               " cost REAL NOT NULL,"
                               " PRIMARY KEY (connection, t)) WITHOUT ROWID"),
                // Budget and cap alerts already given, by period, limit and threshold.
                QStringLiteral("CREATE TABLE alerts ("
                               " alert TEXT PRIMARY KEY,"
                               " raised_utc TEXT NOT NULL)"),
            };
        case 2:
            return {
                // What a connection used per tariff class, as of its latest sample: a
                // connection taken up again after a restart keeps pricing each class apart.
                QStringLiteral("CREATE TABLE connection_classes ("
                               " connection INTEGER NOT NULL REFERENCES connections(id),"
                               " tariff_class INTEGER NOT NULL,"
                               " received_bytes INTEGER NOT NULL,"
                               " sent_bytes INTEGER NOT NULL,"
                               " online_seconds INTEGER NOT NULL,"
                               " PRIMARY KEY (connection, tariff_class)) WITHOUT ROWID"),
            };
        case 3:
            return {
                // The order samples were taken in, per connection: a clock put back gives
                // times out of order. Older samples keep 0 and their time order.
                QStringLiteral("ALTER TABLE samples ADD COLUMN taken INTEGER NOT NULL DEFAULT 0"),
                QStringLiteral("CREATE INDEX samples_in_order ON samples(connection, taken, t)"),
            };
        case 4:
            return {
                // Samples packed by the hour (SampleBlock): a block holds the next samples
                // of a connection in the order they were taken, numbered in that order;
                // min_t and max_t bound its times, last_t is its last sample's. The store
                // moves the older samples into blocks and drops their table.
                QStringLiteral("CREATE TABLE sample_blocks ("
                               " connection INTEGER NOT NULL REFERENCES connections(id),"
                               " block INTEGER NOT NULL,"
                               " min_t INTEGER NOT NULL,"
                               " max_t INTEGER NOT NULL,"
                               " last_t INTEGER NOT NULL,"
                               " samples BLOB NOT NULL,"
                               " PRIMARY KEY (connection, block)) WITHOUT ROWID"),
                // The times of each connection's first and last samples (UTC seconds; NULL
                // without samples): a report over spans finds the connections it needs
                // without reading their samples.
                QStringLiteral("ALTER TABLE connections ADD COLUMN first_sample INTEGER"),
                QStringLiteral("ALTER TABLE connections ADD COLUMN last_sample INTEGER"),
                QStringLiteral(
                    "CREATE INDEX connections_by_last_sample ON connections(last_sample)"),
            };
        default:
            return {};
    }
}
