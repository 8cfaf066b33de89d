// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics folder as the viewer sees it: connections, their months and amounts.
#pragma once

#include "core/ProgramFolder.h"
#include "core/RegularFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct StatisticConnection {
    QString name;         // the connection's name as the user recognises it
    QByteArray fileName;  // its statistics file in "connections", as the file system holds it
};

struct StatisticMonths {
    QStringList dates;  // month keys in file order
    QString error;      // when not empty: show it in the box "Vantoril Error"
};

class StatisticsFolder {
public:
    explicit StatisticsFolder(ProgramFolder folder);

    // The ordinary files "*.vlg" in the order the file system gives them; the name is the
    // file name without its last extension, read as UTF-8, or as Windows-1251 when it is
    // not UTF-8 (a file copied from Windows), then decoded as DecodeConnectionName says.
    // A missing folder gives an empty list.
    QList<StatisticConnection> Connections() const;

    // The month keys of a statistics file; an error when it cannot be read or holds none.
    StatisticMonths Months(const QByteArray& fileName) const;

    // The month's amount exactly as stored; empty when the month or the file is missing.
    QString Amount(const QByteArray& fileName, const QString& date) const;

    // Deletes every ordinary file of the folder, whatever its extension, stopping at the
    // first that cannot be deleted. Returns an empty text, or what went wrong.
    QString ClearAll() const;

private:
    QByteArray FilePath(const QByteArray& fileName) const;
    // The path for the user's eyes, the file name decoded as Connections() does.
    QString ShownPath(const QByteArray& fileName) const;
    // The file read whole, bounded, never blocking.
    RegularFile Read(const QByteArray& fileName) const;

    ProgramFolder folder_;
};
