// Choice of the program folder and paths inside it.
#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

ProgramFolder::ProgramFolder(QString path) : path_(std::move(path)) {}

namespace {

// The files an installation ships with sensible contents.
const char* const kShippedFiles[] = {"inet.conf", "tar.dat", "tar.money.dat", "script.vsc"};

}  // namespace

ProgramFolder ProgramFolder::Choose() {
    const QString beside = QCoreApplication::applicationDirPath();
    return Choose(beside,
                  QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                      "/Vantoril",
                  beside + "/../share/vantoril");
}

ProgramFolder ProgramFolder::Choose(const QString& executableFolder, const QString& userFolder,
                                    const QString& defaultsFolder) {
    const QFileInfo beside(executableFolder);
    if (beside.isDir() && beside.isWritable()) return ProgramFolder(executableFolder);
    QDir().mkpath(userFolder);
    const ProgramFolder folder(userFolder);
    for (const char* name : kShippedFiles) {
        // QFile::copy never overwrites, so a user's own file always stays.
        QFile::copy(defaultsFolder + '/' + name, folder.AppFilePath(name));
        QFile(folder.AppFilePath(name))
            .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                            QFile::ReadOther);
    }
    return folder;
}

QString ProgramFolder::AppFilePath(const QString& name) const {
    if (path_.endsWith(u'/')) return path_ + name;
    return path_ + u'/' + name;
}
