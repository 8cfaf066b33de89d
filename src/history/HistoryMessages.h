// SPDX-License-Identifier: GPL-3.0-or-later
// What the user is told about the history, in plain Russian words.
#pragma once

#include "history/HistoryStore.h"

// Why the history cannot be kept; metering and booking go on regardless.
QString HistoryProblemText(const HistoryError& error, const QString& path);
// A damaged history file was kept under `movedTo` and a new history begun.
QString HistoryMovedAsideText(const QString& movedTo);
