// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the chart module with QLibrary and calls its one entry.
#include "history/ui/ChartModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

QStringList Candidates() {
    const QString named = qEnvironmentVariable("VANTORIL_CHART_MODULE");
    if (!named.isEmpty()) return {named};
    const QDir program(QCoreApplication::applicationDirPath());
    const QString file = QStringLiteral("chart.so");
    return {program.filePath(file),
            QDir::cleanPath(program.filePath(QStringLiteral(VANTORIL_MODULE_DIR "/") + file))};
}

}  // namespace

BarChart* NewBarChartFromModule(QWidget* parent, QString* error) {
    const QStringList candidates = Candidates();
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path)) continue;
        QLibrary module(path);
        const auto entry =
            reinterpret_cast<NewBarChart>(module.resolve(QT_STRINGIFY(VANTORIL_BAR_CHART_ENTRY)));
        if (entry) return entry(parent);
        *error = QStringLiteral("Диаграмма недоступна: модуль %1 не загружается (%2).")
                     .arg(path, module.errorString());
        return nullptr;
    }
    *error = QStringLiteral("Диаграмма недоступна: нет модуля %1.")
                 .arg(candidates.join(QStringLiteral(" или ")));
    return nullptr;
}
