// SPDX-License-Identifier: GPL-3.0-or-later
// The history database's schema: one list of statements per version, applied in order.
#pragma once

#include <QStringList>

// The version this program writes (kept in PRAGMA user_version).
inline constexpr int kHistorySchemaVersion = 4;
// From this version samples are packed in blocks, which SQL cannot do: the store moves
// an older file's samples itself, in the same transaction as the statements.
inline constexpr int kPackedSamplesVersion = 4;

// The statements that take a database from version `version - 1` to `version`
// (1 to kHistorySchemaVersion). A released list never changes: a new version adds one.
QStringList HistoryMigration(int version);
