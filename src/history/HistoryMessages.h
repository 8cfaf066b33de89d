// SPDX-License-Identifier: GPL-3.0-or-later
// What the user is told about the history, in plain Russian words.
#pragma once

#include "history/HistoryStore.h"

// Why the history cannot be kept; metering goes on regardless. The database's own words
// are for the log, never for the user.
QString HistoryProblemText(const HistoryError& error, const QString& path);
// The same for the running program, which tries again a minute later when the problem
// may pass.
QString HistoryDetachedText(const HistoryError& error, const QString& path);
// A damaged history file was kept under `movedTo` and a new history begun.
QString HistoryMovedAsideText(const QString& movedTo);
// The history could be opened again after a problem.
QString HistoryResumedText();
// Whether the problem may pass by itself, so that opening the history is tried again.
bool HistoryProblemMayPass(HistoryProblem problem);
