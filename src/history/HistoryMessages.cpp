// SPDX-License-Identifier: GPL-3.0-or-later
// The history's messages for the user.
#include "history/HistoryMessages.h"

#include <QDir>

namespace {
const QString kGoesOn =
    QStringLiteral(" Учёт трафика и запись статистики продолжаются как обычно.");
}

QString HistoryProblemText(const HistoryError& error, const QString& path) {
    const QString file = QDir::toNativeSeparators(path);
    QString text;
    switch (error.problem) {
        case HistoryProblem::NoDriver:
            text = QStringLiteral(
                "История соединений не ведётся: не установлен драйвер SQLite "
                "для Qt (пакет libqt6sql6-sqlite).");
            break;
        case HistoryProblem::NewerFormat:
            text = QStringLiteral(
                       "История соединений не ведётся: файл «%1» записан более новой "
                       "версией программы.")
                       .arg(file);
            break;
        case HistoryProblem::DiskFull:
            text = QStringLiteral("История соединений не записывается: диск заполнен.");
            break;
        case HistoryProblem::NotFound:
        case HistoryProblem::CannotOpen:
        case HistoryProblem::ReadOnly:
            text = QStringLiteral(
                       "История соединений не ведётся: файл «%1» нельзя открыть "
                       "для записи.")
                       .arg(file);
            break;
        case HistoryProblem::Corrupt:
            text = QStringLiteral("История соединений не записывается: файл «%1» повреждён.")
                       .arg(file);
            break;
        case HistoryProblem::None:
        case HistoryProblem::Failed:
            text = QStringLiteral("История соединений не записывается: ошибка базы данных (%1).")
                       .arg(error.detail);
            break;
    }
    return text + kGoesOn;
}

QString HistoryMovedAsideText(const QString& movedTo) {
    return QStringLiteral(
               "Файл истории соединений был повреждён. Он сохранён как «%1», "
               "история начата заново.")
        .arg(QDir::toNativeSeparators(movedTo));
}
