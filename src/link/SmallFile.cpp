// SPDX-License-Identifier: GPL-3.0-or-later
// Small-file reading for the link backends.
#include "link/SmallFile.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

QByteArray ReadAt(int fd) {
    char buffer[256];
    const ssize_t size = ::pread(fd, buffer, sizeof buffer - 1, 0);
    return size > 0 ? QByteArray(buffer, static_cast<int>(size)).trimmed() : QByteArray();
}

int OpenForReading(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
}

std::optional<uint64_t> Counter(const QByteArray& text) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    return ok ? std::optional<uint64_t>(value) : std::nullopt;
}

}  // namespace

QByteArray ReadSmallFile(const QString& path) {
    const OpenSmallFile file(path);
    return file.Read();
}

OpenSmallFile::OpenSmallFile(const QString& path) : fd_(OpenForReading(path)) {}

OpenSmallFile::~OpenSmallFile() {
    if (fd_ >= 0) ::close(fd_);
}

OpenSmallFile::OpenSmallFile(OpenSmallFile&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

OpenSmallFile& OpenSmallFile::operator=(OpenSmallFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

QByteArray OpenSmallFile::Read() const {
    return fd_ >= 0 ? ReadAt(fd_) : QByteArray();
}

std::optional<uint64_t> OpenSmallFile::ReadCounter() const {
    return Counter(Read());
}
