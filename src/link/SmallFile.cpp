// Small-file reading for the link backends.
#include "link/SmallFile.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

QByteArray ReadSmallFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    char buffer[256];
    const ssize_t size = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    return size > 0 ? QByteArray(buffer, static_cast<int>(size)).trimmed() : QByteArray();
}

std::optional<uint64_t> ReadCounterFile(const QString& path) {
    bool ok = false;
    const qulonglong value = ReadSmallFile(path).toULongLong(&ok);
    return ok ? std::optional<uint64_t>(value) : std::nullopt;
}
