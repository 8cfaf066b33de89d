// SPDX-License-Identifier: GPL-3.0-or-later
// Which document the script editor's help opens.
#include "script/ScriptHelp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ScriptHelpDocument(const QString& executableFolder) {
    const QString documents = executableFolder + QStringLiteral("/../share/doc/vantoril/");
    // The reference in the language of the texts first, then the Russian one and the README.
    const QString translated = QCoreApplication::translate(
        "ScriptHelp", "script-language.md", "the script reference in the language of the texts");
    for (const QString& name :
         {translated, QStringLiteral("script-language.md"), QStringLiteral("README.md")}) {
        const QFileInfo file(QDir::cleanPath(documents + name));
        if (file.isFile()) return file.canonicalFilePath();
    }
    return QString();
}
