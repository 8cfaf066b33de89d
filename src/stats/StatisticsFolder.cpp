// Reading and clearing the statistics folder for the viewer. File names are handled as the
// bytes the file system holds, so a name in Windows-1251 opens and deletes like any other.
#include "StatisticsFolder.h"

#include "shell/IniFile.h"
#include "shell/TextDecoding.h"
#include "stats/ConnectionFileName.h"
#include "stats/StatisticDates.h"

#include <QFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Far beyond any real statistics file (a line a month); a bigger one is not read whole.
constexpr qint64 kMaxStatisticFileBytes = 16 * 1024 * 1024;

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

bool StatisticsFolder::Read(const QByteArray& fileName, QByteArray* bytes, QString* error) const {
    // Non-blocking: a pipe in the folder must not hold the window up.
    const int fd = ::open(FilePath(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *error = qt_error_string(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        *error = QStringLiteral("это не обычный файл");
        return false;
    }
    if (info.st_size > kMaxStatisticFileBytes) {
        ::close(fd);
        *error = QStringLiteral("файл больше 16 МБ");
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = file.errorString();
        return false;
    }
    *bytes = file.read(kMaxStatisticFileBytes);
    return true;
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
    QByteArray bytes;
    QString error;
    if (!Read(fileName, &bytes, &error))
        return {{},
                QStringLiteral("Не удалось открыть файл статистики «%1»: %2.")
                    .arg(ShownPath(fileName), error)};
    StatisticMonths months{StatisticDates(DecodeText(bytes)), {}};
    if (months.dates.isEmpty())
        months.error = QStringLiteral("В файле статистики «%1» нет ни одного месяца.")
                           .arg(ShownPath(fileName));
    return months;
}

QString StatisticsFolder::Amount(const QByteArray& fileName, const QString& date) const {
    QByteArray bytes;
    QString error;
    if (!Read(fileName, &bytes, &error)) return {};
    return IniFile::Parse(bytes).Value(QLatin1String(kStatisticSection), date);
}

QString StatisticsFolder::ClearAll() const {
    for (const QByteArray& fileName : OrdinaryFiles(FilePath({}))) {
        if (::unlink(FilePath(fileName).constData()) != 0) {
            const QString reason = qt_error_string(errno);
            return QStringLiteral("Не удалось удалить файл «%1»: %2.").arg(ShownPath(fileName), reason);
        }
    }
    return {};
}
