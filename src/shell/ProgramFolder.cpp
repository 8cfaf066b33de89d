// Choice of the program folder and paths inside it.
#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProgramFolder::ProgramFolder(QString path) : path_(std::move(path)) {}

ProgramFolder ProgramFolder::Choose() {
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo(beside).isWritable()) return ProgramFolder(beside);
    const QString data =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Vantoril";
    QDir().mkpath(data);
    return ProgramFolder(data);
}

QString ProgramFolder::AppFilePath(const QString& name) const {
    if (path_.endsWith(u'/')) return path_ + name;
    return path_ + u'/' + name;
}
