// SPDX-License-Identifier: GPL-3.0-or-later
// Replaces files whole or not at all: a temporary file beside each, synced, then a rename.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>

// Writes `bytes` to a temporary file in the target's folder, checks every write, syncs it
// to disk and renames it over `path` (over the file a symbolic link names, keeping the
// link). On any failure the target keeps every byte it had, the temporary file is removed
// and `error` (when given) says in plain words that the file could not be saved and why.
[[nodiscard]] bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes,
                                         QString* error = nullptr);

// Several files as one save: every file is written and synced before the first rename, so
// a full disk or any write error leaves all of them as they were.
[[nodiscard]] bool ReplaceFilesAtomically(const QList<QPair<QString, QByteArray>>& files,
                                          QString* error = nullptr);

// Tests put a device of their own between the writer and each temporary file (one that
// fails after some bytes, as a full disk does). The wrapper gets the open temporary file
// and returns an open device writing to it; an empty wrapper restores plain writing.
using WriteDeviceWrapper = std::function<std::unique_ptr<QIODevice>(QIODevice& temporary)>;
void SetWriteDeviceWrapper(WriteDeviceWrapper wrapper);
