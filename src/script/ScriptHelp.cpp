// SPDX-License-Identifier: GPL-3.0-or-later
// Which document the script editor's help opens.
#include "script/ScriptHelp.h"

#include <QDir>
#include <QFileInfo>

QString ScriptHelpDocument(const QString& executableFolder) {
    const QString documents = executableFolder + QStringLiteral("/../share/doc/vantoril/");
    for (const char* name : {"script-language.md", "README.md"}) {
        const QFileInfo file(QDir::cleanPath(documents + QLatin1String(name)));
        if (file.isFile()) return file.canonicalFilePath();
    }
    return QString();
}
