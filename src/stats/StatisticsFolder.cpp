// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and clearing the statistics folder for the viewer. File names are handled as the
// bytes the file system holds, so a name in Windows-1251 opens and deletes like any other.
#include "StatisticsFolder.h"

#include "core/IniFile.h"
#include "core/RegularFile.h"
#include "core/TextDecoding.h"
#include "stats/AddStatistic.h"
#include "stats/ConnectionFileName.h"
#include "stats/StatisticDates.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Ordinary files only: no folders, no hidden files, no devices, sockets or pipes; a
// symbolic link counts as what it points to.
QList<QByteArray> OrdinaryFiles(const QByteArray& folder) {
    QList<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (entry->d_name[0] != '.' && ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 &&
            S_ISREG(info.st_mode))
            names << QByteArray(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

bool IsStatisticFile(const QByteArray& fileName) {
    return fileName.toLower().endsWith(kStatisticExtension);
}

}  // namespace

StatisticsFolder::StatisticsFolder(ProgramFolder folder) : folder_(std::move(folder)) {}

QByteArray StatisticsFolder::FilePath(const QByteArray& fileName) const {
    return QFile::encodeName(folder_.AppFilePath(QLatin1String(kConnectionsFolder))) + '/' +
           fileName;
}

QString StatisticsFolder::ShownPath(const QByteArray& fileName) const {
    return folder_.AppFilePath(QLatin1String(kConnectionsFolder) + u'/' + DecodeText(fileName));
}

RegularFile StatisticsFolder::Read(const QByteArray& fileName) const {
    return ReadRegularFile(FilePath(fileName), ShownPath(fileName), kStatisticFileLimit);
}

QList<StatisticConnection> StatisticsFolder::Connections() const {
    QList<StatisticConnection> connections;
    for (const QByteArray& fileName : OrdinaryFiles(FilePath({}))) {
        if (!IsStatisticFile(fileName)) continue;
        const QByteArray baseName = fileName.left(fileName.lastIndexOf('.'));
        connections.append({DecodeConnectionName(DecodeText(baseName)), fileName});
    }
    return connections;
}

StatisticMonths StatisticsFolder::Months(const QByteArray& fileName) const {
    const RegularFile file = Read(fileName);
    if (file.status == RegularFile::Status::Missing)
        return {{},
                QCoreApplication::translate("StatisticsFolder", "Файл статистики «%1» не найден.")
                    .arg(ShownPath(fileName))};
    if (!file.IsRead()) return {{}, file.error};
    StatisticMonths months{StatisticDates(DecodeText(file.bytes)), {}};
    if (months.dates.isEmpty())
        months.error = QCoreApplication::translate("StatisticsFolder",
                                                   "В файле статистики «%1» нет ни одного месяца.")
                           .arg(ShownPath(fileName));
    return months;
}

QString StatisticsFolder::Amount(const QByteArray& fileName, const QString& date) const {
    const RegularFile file = Read(fileName);
    if (!file.IsRead()) return {};
    return IniFile::Parse(file.bytes).Value(QLatin1String(kStatisticSection), date);
}

QString StatisticsFolder::ClearAll() const {
    for (const QByteArray& fileName : OrdinaryFiles(FilePath({}))) {
        if (::unlink(FilePath(fileName).constData()) != 0) {
            const QString reason = qt_error_string(errno);
            return QCoreApplication::translate("StatisticsFolder",
                                               "Не удалось удалить файл «%1»: %2.")
                .arg(ShownPath(fileName), reason);
        }
    }
    return {};
}
