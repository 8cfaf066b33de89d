// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing and installing the program's English catalogue.
#include "core/UiLanguage.h"

#include <QCoreApplication>
#include <QTranslator>

bool PrefersEnglish(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        const QString base = name.section(QLatin1Char('.'), 0, 0);
        if (base == u"C" || base == u"POSIX") return false;
        switch (QLocale(base).language()) {
            case QLocale::English:
                return true;
            case QLocale::Russian:
                return false;
            default:
                break;
        }
    }
    return false;
}

bool InstallProgramTranslation(const QStringList& uiLanguages) {
    if (!PrefersEnglish(uiLanguages)) return false;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/i18n/vantoril_en.qm")) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
