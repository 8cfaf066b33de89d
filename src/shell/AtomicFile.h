// Replaces a file whole or not at all: a temporary file beside it, then a rename.
#pragma once

#include <QByteArray>
#include <QString>

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and
// renames it over `path`. On any failure the old file is left untouched, the temporary
// file is removed and `error` (when given) says why in plain words.
bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes,
                           QString* error = nullptr);
