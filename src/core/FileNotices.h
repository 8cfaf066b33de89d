// SPDX-License-Identifier: GPL-3.0-or-later
// Problems with the program's files found by its timers, told to the user once per run.
#pragma once

#include <QString>

#include <functional>

// Shows a notice to the user; installed by the application, absent in tests of the logic.
// Messages told while no handler is installed wait for the next one.
using FileNoticeHandler = std::function<void(const QString& message)>;
void SetFileNoticeHandler(FileNoticeHandler handler);

// Hands `message` to the handler the first time it is given; a message repeated by every
// tick (an unreadable settings file, a price that cannot be one) is told only once.
// Returns whether this was the first time.
bool NoticeFileProblem(const QString& message);

// Forgets which messages were told and drops those waiting (tests).
void ForgetFileNotices();
