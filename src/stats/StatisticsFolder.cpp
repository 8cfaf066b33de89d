// Reading and clearing the statistics folder for the viewer.
#include "StatisticsFolder.h"

#include "shell/IniFile.h"
#include "shell/TextDecoding.h"
#include "stats/ConnectionFileName.h"
#include "stats/StatisticDates.h"

#include <QDir>
#include <QFile>

namespace {

// Ordinary files only: no folders, no hidden files, no devices, sockets or pipes.
QStringList OrdinaryFiles(const QString& folder, const QString& pattern) {
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Unsorted);
}

}  // namespace

StatisticsFolder::StatisticsFolder(ProgramFolder folder) : folder_(std::move(folder)) {}

QString StatisticsFolder::FilePath(const QString& fileName) const {
    return folder_.AppFilePath(QLatin1String(kConnectionsFolder) + u'/' + fileName);
}

QList<StatisticConnection> StatisticsFolder::Connections() const {
    QList<StatisticConnection> connections;
    const QString pattern = u'*' + QLatin1String(kStatisticExtension);
    for (const QString& fileName : OrdinaryFiles(FilePath({}), pattern)) {
        const QString baseName = fileName.left(fileName.lastIndexOf(u'.'));
        connections.append({DecodeConnectionName(baseName), fileName});
    }
    return connections;
}

StatisticMonths StatisticsFolder::Months(const QString& fileName) const {
    QFile file(FilePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {{},
                QStringLiteral("Не удалось открыть файл статистики «%1»: %2.")
                    .arg(file.fileName(), file.errorString())};
    StatisticMonths months{StatisticDates(DecodeText(file.readAll())), {}};
    if (months.dates.isEmpty())
        months.error =
            QStringLiteral("В файле статистики «%1» нет ни одного месяца.").arg(file.fileName());
    return months;
}

QString StatisticsFolder::Amount(const QString& fileName, const QString& date) const {
    return ReadIni(kStatisticSection, date, FilePath(fileName));
}

QString StatisticsFolder::ClearAll() const {
    for (const QString& fileName : OrdinaryFiles(FilePath({}), QStringLiteral("*"))) {
        QFile file(FilePath(fileName));
        if (!file.remove())
            return QStringLiteral("Не удалось удалить файл «%1»: %2.")
                .arg(file.fileName(), file.errorString());
    }
    return {};
}
