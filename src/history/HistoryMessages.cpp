// SPDX-License-Identifier: GPL-3.0-or-later
// The history's messages for the user.
#include "history/HistoryMessages.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString TriedAgain() {
    return QCoreApplication::translate("HistoryMessages",
                                       " Программа попробует снова через минуту.");
}

QString GoesOn(HistoryProblem problem) {
    // Not after a full disk: the statistics file may not have been written either.
    return problem == HistoryProblem::DiskFull
               ? QCoreApplication::translate("HistoryMessages", " Учёт трафика продолжается.")
               : QCoreApplication::translate(
                     "HistoryMessages",
                     " Учёт трафика и запись статистики продолжаются как обычно.");
}

QString Why(const HistoryError& error, const QString& file) {
    switch (error.problem) {
        case HistoryProblem::NoDriver:
            return QCoreApplication::translate(
                "HistoryMessages",
                "История соединений не ведётся: не установлен драйвер SQLite "
                "для Qt (пакет libqt6sql6-sqlite).");
        case HistoryProblem::NewerFormat:
            return QCoreApplication::translate(
                       "HistoryMessages",
                       "История соединений не ведётся: файл «%1» записан более новой "
                       "версией программы.")
                .arg(file);
        case HistoryProblem::OlderFormat:
            return QCoreApplication::translate(
                       "HistoryMessages",
                       "История соединений пока недоступна: файл «%1» записан прежней "
                       "версией программы, и программа обновит его при следующем запуске.")
                .arg(file);
        case HistoryProblem::Foreign:
            return QCoreApplication::translate(
                       "HistoryMessages",
                       "История соединений не ведётся: файл «%1» принадлежит другой "
                       "программе и оставлен как есть.")
                .arg(file);
        case HistoryProblem::DiskFull:
            return QCoreApplication::translate(
                "HistoryMessages", "История соединений не записывается: диск заполнен.");
        case HistoryProblem::Busy:
            return QCoreApplication::translate(
                       "HistoryMessages",
                       "История соединений не записывается: файл «%1» занят другой "
                       "программой.")
                .arg(file);
        case HistoryProblem::NotFound:
        case HistoryProblem::CannotOpen:
        case HistoryProblem::ReadOnly:
            return QCoreApplication::translate(
                       "HistoryMessages",
                       "История соединений не ведётся: файл «%1» нельзя открыть "
                       "для записи.")
                .arg(file);
        case HistoryProblem::Corrupt:
            return QCoreApplication::translate(
                       "HistoryMessages",
                       "История соединений не записывается: файл «%1» повреждён.")
                .arg(file);
        case HistoryProblem::None:
        case HistoryProblem::Failed:
            break;
    }
    return QCoreApplication::translate("HistoryMessages",
                                       "История соединений не записывается: файл «%1» недоступен.")
        .arg(file);
}
}  // namespace

bool HistoryProblemMayPass(HistoryProblem problem) {
    return problem != HistoryProblem::NoDriver && problem != HistoryProblem::NewerFormat &&
           problem != HistoryProblem::Foreign;
}

QString HistoryProblemText(const HistoryError& error, const QString& path) {
    return Why(error, QDir::toNativeSeparators(path)) + GoesOn(error.problem);
}

QString HistoryDetachedText(const HistoryError& error, const QString& path) {
    const QString again = HistoryProblemMayPass(error.problem) ? TriedAgain() : QString();
    return Why(error, QDir::toNativeSeparators(path)) + again + GoesOn(error.problem);
}

QString HistoryMovedAsideText(const QString& movedTo) {
    return QCoreApplication::translate(
               "HistoryMessages",
               "Файл истории соединений был повреждён. Он сохранён как «%1», "
               "история начата заново.")
        .arg(QDir::toNativeSeparators(movedTo));
}

QString HistoryResumedText() {
    return QCoreApplication::translate("HistoryMessages", "История соединений снова записывается.");
}
