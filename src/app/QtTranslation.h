// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (context menus, standard buttons, file errors) in Russian, as the program's are.
#pragma once

#include <QString>

// Installs Qt's Russian translation ("qtbase_ru" from Qt's translations folder) into the
// running application, whatever the user's locale: the program speaks Russian everywhere.
// Without it Qt's texts stay English; `error` then names the file looked for.
[[nodiscard]] bool LoadQtTranslation(QString* error = nullptr);
