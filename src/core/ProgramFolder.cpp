// SPDX-License-Identifier: GPL-3.0-or-later
// Choice of the program folder and paths inside it.
#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

ProgramFolder::ProgramFolder(QString path) : path_(std::move(path)) {}

namespace {

// The files of the program that an installation ships or a portable folder holds.
const char* const kProgramFiles[] = {"inet.conf",  "tar.dat",        "tar.money.dat",
                                     "script.vsc", "history.sqlite", "help.chm"};
const char kConnections[] = "connections";

// Why the folder beside the executable is or is not the program folder.
enum class Beside { Portable, Installed, OtherOwner, ReadOnly, Missing };

bool IsUnder(const QString& path, const QStringList& prefixes) {
    for (const QString& prefix : prefixes)
        if (path == prefix || path.startsWith(prefix + u'/')) return true;
    return false;
}

Beside Judge(const ProgramFolderSources& sources) {
    const QFileInfo folder(sources.executableFolder);
    // Symbolic links and "..": /bin/vantoril is /usr/bin/vantoril on a merged /usr.
    const QString real = folder.canonicalFilePath();
    if (real.isEmpty() || !folder.isDir()) return Beside::Missing;
    if (IsUnder(real, sources.systemPrefixes)) return Beside::Installed;
    if (folder.ownerId() != sources.userId) return Beside::OtherOwner;
    if (!folder.isWritable()) return Beside::ReadOnly;
    return Beside::Portable;
}

bool HoldsProgramFiles(const QDir& folder) {
    for (const char* name : kProgramFiles)
        if (QFileInfo(folder.filePath(QLatin1String(name))).isFile()) return true;
    return QFileInfo(folder.filePath(QLatin1String(kConnections))).isDir();
}

// Copies `from` to `to` unless `to` exists; a fresh copy is the user's own to change.
bool CopyIfMissing(const QString& from, const QString& to) {
    if (QFileInfo::exists(to) || !QFileInfo(from).isFile()) return false;
    if (!QFile::copy(from, to)) return false;
    QFile::setPermissions(
        to, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return true;
}

void CopyMissingFiles(const QDir& beside, const QDir& defaults, const QDir& user) {
    for (const char* name : kProgramFiles) {
        const QString file = QLatin1String(name);
        if (!CopyIfMissing(beside.filePath(file), user.filePath(file)))
            CopyIfMissing(defaults.filePath(file), user.filePath(file));
    }
    const QDir statistics(beside.filePath(QLatin1String(kConnections)));
    const QStringList files = statistics.entryList(QDir::Files);
    if (files.isEmpty() || !user.mkpath(QLatin1String(kConnections))) return;
    const QDir copies(user.filePath(QLatin1String(kConnections)));
    for (const QString& file : files)
        CopyIfMissing(statistics.filePath(file), copies.filePath(file));
}

QString Notice(Beside beside, const QString& executableFolder, const QString& userFolder) {
    const QString kept = QCoreApplication::translate(
        "ProgramFolder",
        " Настройки, тарифы и статистика хранятся в папке «%1»; файлы, которых там не было, "
        "скопированы из папки программы.");
    if (beside == Beside::ReadOnly)
        return QCoreApplication::translate("ProgramFolder",
                                           "В папку программы «%1» нельзя записывать.")
                   .arg(executableFolder) +
               kept.arg(userFolder);
    return QCoreApplication::translate("ProgramFolder",
                                       "Папка программы «%1» принадлежит другому пользователю.")
               .arg(executableFolder) +
           kept.arg(userFolder);
}

}  // namespace

ProgramFolderSources ProgramFolderSources::OfThisProcess() {
    const QString beside = QCoreApplication::applicationDirPath();
    return {beside,
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                QStringLiteral("/Vantoril"),
            beside + QStringLiteral("/../share/vantoril"),
            ::geteuid(),
            {QStringLiteral("/usr"), QStringLiteral("/opt")}};
}

ProgramFolder ProgramFolder::Choose(QString* notice) {
    return Choose(ProgramFolderSources::OfThisProcess(), notice);
}

QString ProgramFolder::ChosenPath(const ProgramFolderSources& sources) {
    return Judge(sources) == Beside::Portable ? sources.executableFolder : sources.userFolder;
}

ProgramFolder ProgramFolder::Choose(const ProgramFolderSources& sources, QString* notice) {
    if (notice) notice->clear();
    const Beside beside = Judge(sources);
    if (beside == Beside::Portable) return ProgramFolder(sources.executableFolder);

    const QDir executableFolder(sources.executableFolder);
    if (!QDir().mkpath(sources.userFolder)) {
        if (notice)
            *notice = QCoreApplication::translate(
                          "ProgramFolder",
                          "Не удалось создать папку «%1»: настройки, тарифы и статистика "
                          "не будут сохранены.")
                          .arg(sources.userFolder);
        return ProgramFolder(sources.userFolder);
    }
    CopyMissingFiles(executableFolder, QDir(sources.defaultsFolder), QDir(sources.userFolder));
    const bool unusable = beside == Beside::ReadOnly || beside == Beside::OtherOwner;
    if (notice && unusable && HoldsProgramFiles(executableFolder))
        *notice = Notice(beside, sources.executableFolder, sources.userFolder);
    return ProgramFolder(sources.userFolder);
}

QString ProgramFolder::AppFilePath(const QString& name) const {
    if (path_.endsWith(u'/')) return path_ + name;
    return path_ + u'/' + name;
}
