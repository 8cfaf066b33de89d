// SPDX-License-Identifier: GPL-3.0-or-later
// Bounded, non-blocking reading of regular files.
#include "core/RegularFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

RegularFile Failed(RegularFile::Status status, const QString& error) {
    RegularFile file;
    file.status = status;
    file.error = error;
    return file;
}

RegularFile NotRegular(const QString& path) {
    return Failed(RegularFile::Status::NotRegular,
                  QCoreApplication::translate("RegularFile",
                                              "«%1» — не обычный файл, программа его не читает.")
                      .arg(path));
}

RegularFile Unreadable(const QString& path, int error) {
    return Failed(RegularFile::Status::Unreadable,
                  QCoreApplication::translate("RegularFile", "Файл «%1» не удалось прочитать: %2.")
                      .arg(path, SystemErrorText(error)));
}

QString SizeText(qint64 bytes) {
    if (bytes >= kMiB) return QCoreApplication::translate("RegularFile", "%1 МБ").arg(bytes / kMiB);
    return QCoreApplication::translate("RegularFile", "%1 КБ").arg(bytes / kKiB);
}

RegularFile TooLarge(const QString& path, qint64 limit) {
    return Failed(
        RegularFile::Status::TooLarge,
        QCoreApplication::translate("RegularFile", "Файл «%1» больше %2, программа его не читает.")
            .arg(path, SizeText(limit)));
}

}  // namespace

RegularFile ReadRegularFile(const QString& path, qint64 limit) {
    return ReadRegularFile(QFile::encodeName(path), path, limit);
}

RegularFile ReadRegularFile(const QByteArray& name, const QString& path, qint64 limit) {
    struct stat info {};
    // Looked at before opening: opening some devices has effects of its own.
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};
        return Unreadable(path, errno);
    }
    if (!S_ISREG(info.st_mode)) return NotRegular(path);
    // O_NONBLOCK: a pipe slipped in between the look and the open does not block.
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) return errno == ENOENT ? RegularFile{} : Unreadable(path, errno);
    if (::fstat(fd.Get(), &info) != 0) return Unreadable(path, errno);
    if (!S_ISREG(info.st_mode)) return NotRegular(path);
    if (info.st_size > limit) return TooLarge(path, limit);

    // Read to the end rather than to the size seen: the file may grow meanwhile.
    RegularFile file;
    file.status = RegularFile::Status::Read;
    file.bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype used = 0;
    for (;;) {
        if (used == file.bytes.size()) {
            if (used > limit) return TooLarge(path, limit);
            file.bytes.resize(qMin<qint64>(used * 2 + 4096, limit + 1));
        }
        const ssize_t got = ::read(fd.Get(), file.bytes.data() + used, file.bytes.size() - used);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return Unreadable(path, errno);
        if (got == 0) break;
        used += got;
    }
    if (used > limit) return TooLarge(path, limit);
    file.bytes.truncate(used);
    return file;
}

QString SystemErrorText(int error) {
    switch (error) {
        case ENOSPC:
            return QCoreApplication::translate("RegularFile", "на диске нет места");
        case EDQUOT:
            return QCoreApplication::translate("RegularFile", "исчерпана дисковая квота");
        case EACCES:
        case EPERM:
            return QCoreApplication::translate("RegularFile", "нет прав доступа");
        case EROFS:
            return QCoreApplication::translate("RegularFile", "диск доступен только для чтения");
        case EIO:
            return QCoreApplication::translate("RegularFile", "ошибка ввода-вывода");
        case EISDIR:
            return QCoreApplication::translate("RegularFile", "на этом месте папка");
        case ENOENT:
            return QCoreApplication::translate("RegularFile", "папка не найдена");
        case ENAMETOOLONG:
            return QCoreApplication::translate("RegularFile", "слишком длинное имя");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}
