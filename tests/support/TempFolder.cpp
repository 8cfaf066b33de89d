// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

TempFolder::TempFolder() : path_(dir_.path()) {}

void TempFolder::Write(const QString& name, const QByteArray& bytes) const {
    const QString path = File(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
}

void TempFolder::WriteNamedInBytes(const QByteArray& name, const QByteArray& bytes) const {
    const QByteArray path = QFile::encodeName(path_) + '/' + name;
    QDir().mkpath(QFileInfo(QFile::decodeName(path)).path());
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    if (fd >= 0) ::close(fd);
    if (!written) qFatal("cannot write test file %s", path.constData());
}

QByteArray TempFolder::Read(const QString& name) const {
    QFile file(File(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TempFolder::Exists(const QString& name) const {
    return QFileInfo::exists(File(name));
}
