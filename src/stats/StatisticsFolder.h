// The statistics folder as the viewer sees it: connections, their months and amounts.
#pragma once

#include "shell/ProgramFolder.h"

#include <QList>
#include <QString>
#include <QStringList>

struct StatisticConnection {
    QString name;      // the connection's real name, as shown to the user
    QString fileName;  // its statistics file inside the folder "connections"
};

struct StatisticMonths {
    QStringList dates;  // month keys in file order
    QString error;      // when not empty: show it in the box "Vantoril Error"
};

class StatisticsFolder {
public:
    explicit StatisticsFolder(ProgramFolder folder);

    // The ordinary files "*.vlg" in the order the file system gives them; the name is the
    // file name without its last extension. A missing folder gives an empty list.
    QList<StatisticConnection> Connections() const;

    // The month keys of a statistics file; an error when it cannot be read or holds none.
    StatisticMonths Months(const QString& fileName) const;

    // The month's amount exactly as stored; empty when the month or the file is missing.
    QString Amount(const QString& fileName, const QString& date) const;

    // Deletes every ordinary file of the folder, whatever its extension, stopping at the
    // first that cannot be deleted. Returns an empty text, or what went wrong.
    QString ClearAll() const;

private:
    QString FilePath(const QString& fileName) const;

    ProgramFolder folder_;
};
