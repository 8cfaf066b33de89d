// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the program's texts: Russian, in which they are written, or English.
#pragma once

#include <QLocale>
#include <QStringList>

// Whether the user's languages, most wanted first (QLocale::uiLanguages(), which follows
// LANGUAGE and LC_MESSAGES), ask for English before Russian. "C" and "POSIX" mean no
// language at all and keep the texts Russian; a language the program does not speak is
// passed over.
bool PrefersEnglish(const QStringList& uiLanguages);

// Installs the program's English texts into the running application when `uiLanguages`
// prefer English; returns whether it did. The catalogue is built into every program.
bool InstallProgramTranslation(const QStringList& uiLanguages = QLocale::system().uiLanguages());
