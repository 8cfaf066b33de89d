// SPDX-License-Identifier: GPL-3.0-or-later
// The once-per-run notices about the program's files.
#include "core/FileNotices.h"

#include <QSet>
#include <QStringList>

#include <utility>

namespace {

FileNoticeHandler& Handler() {
    static FileNoticeHandler handler;
    return handler;
}

QSet<QString>& Told() {
    static QSet<QString> told;
    return told;
}

// Told before a handler was installed (at start-up), handed to the first one.
QStringList& Waiting() {
    static QStringList waiting;
    return waiting;
}

}  // namespace

void SetFileNoticeHandler(FileNoticeHandler handler) {
    Handler() = std::move(handler);
    if (Handler())
        for (const QString& message : std::exchange(Waiting(), {})) Handler()(message);
}

bool NoticeFileProblem(const QString& message) {
    if (message.isEmpty() || Told().contains(message)) return false;
    Told().insert(message);
    if (Handler())
        Handler()(message);
    else
        Waiting() << message;
    return true;
}

void ForgetFileNotices() {
    Told().clear();
    Waiting().clear();
}
