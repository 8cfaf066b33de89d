// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the English catalogue, or Qt's Russian translation from the folder Qt was built to
// look in.
#include "app/QtTranslation.h"

#include "core/UiLanguage.h"

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

bool LoadTranslations(const QStringList& uiLanguages, QString* error) {
    if (InstallProgramTranslation(uiLanguages)) return true;
    return LoadQtTranslation(error);
}
