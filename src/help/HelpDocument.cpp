// SPDX-License-Identifier: GPL-3.0-or-later
// Choice of the help document.
#include "help/HelpDocument.h"

#include "core/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

QString HelpDocument(const ProgramFolder& folder, const QString& executableFolder) {
    const QString candidates[] = {
        folder.AppFilePath(QStringLiteral("help.chm")),
        QDir::cleanPath(executableFolder + QStringLiteral("/../share/doc/vantoril/README.md")),
    };
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile()) return QFileInfo(path).canonicalFilePath();
    return QString();
}
