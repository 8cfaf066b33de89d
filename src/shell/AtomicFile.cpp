// Whole-or-nothing file replacement.
#include "AtomicFile.h"

#include <QSaveFile>

bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    // QSaveFile writes beside the target, syncs it to disk and renames it over the
    // target on commit; until then the old file is untouched.
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                    file.commit();
    if (!ok && error)
        *error = QStringLiteral("Не удалось записать файл «%1»: %2").arg(path, file.errorString());
    return ok;
}
