// SPDX-License-Identifier: GPL-3.0-or-later
// Loading Qt's Russian translation from the folder Qt was built to look in.
#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool LoadQtTranslation(QString* error) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ru"), folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    if (error) *error = folder + QStringLiteral("/qtbase_ru.qm");
    return false;
}
