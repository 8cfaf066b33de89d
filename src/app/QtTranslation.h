// SPDX-License-Identifier: GPL-3.0-or-later
// The language of every text on screen: the program's own and Qt's (context menus, standard
// buttons, file errors) speak the same one.
#pragma once

#include <QString>
#include <QStringList>

// Installs Qt's Russian translation ("qtbase_ru" from Qt's translations folder) into the
// running application. Without it Qt's texts stay English; `error` then names the file
// looked for.
[[nodiscard]] bool LoadQtTranslation(QString* error = nullptr);

// The texts for the user's languages (QLocale::uiLanguages()): the program's English
// catalogue, Qt's texts being English already, when they prefer English; otherwise the
// program's own Russian and Qt's Russian translation, as LoadQtTranslation.
[[nodiscard]] bool LoadTranslations(const QStringList& uiLanguages, QString* error = nullptr);
