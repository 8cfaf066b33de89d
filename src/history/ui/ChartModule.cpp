// SPDX-License-Identifier: GPL-3.0-or-later
// Loads the chart module with QPluginLoader and asks its plugin object for a chart.
#include "history/ui/ChartModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

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
        // Never unloaded: the plugin object and its charts live as long as the program.
        QPluginLoader module(path);
        QObject* plugin = module.instance();
        if (auto* factory = qobject_cast<BarChartFactory*>(plugin))
            return factory->NewBarChart(parent);
        const QString why = plugin ? QCoreApplication::translate("ChartModule", "нет интерфейса %1")
                                         .arg(VANTORIL_BAR_CHART_IID)
                                   : module.errorString();
        *error = QCoreApplication::translate("ChartModule",
                                             "Диаграмма недоступна: модуль %1 не загружается (%2).")
                     .arg(path, why);
        return nullptr;
    }
    *error = QCoreApplication::translate("ChartModule", "Диаграмма недоступна: нет модуля %1.")
                 .arg(candidates.join(QCoreApplication::translate("ChartModule", " или ")));
    return nullptr;
}
