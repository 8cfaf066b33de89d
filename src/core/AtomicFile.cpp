// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-or-nothing file replacement.
#include "core/AtomicFile.h"

#include "core/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

WriteDeviceWrapper& Wrapper() {
    static WriteDeviceWrapper wrapper;
    return wrapper;
}

QString SaveError(const QString& path, const QString& reason) {
    return QCoreApplication::translate("AtomicFile",
                                       "Не удалось записать файл «%1»: %2. Файл не изменён.")
        .arg(path, reason);
}

// The file a symbolic link names is the one replaced, so the link itself stays.
QString ResolvedTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.absoluteDir().absoluteFilePath(info.symLinkTarget()) : target;
}

// Mode bits for a new file: what an ordinary creation would give (0666 less the umask).
// The umask is read from /proc, never set, since other threads may create files meanwhile.
mode_t NewFileMode() {
    static const mode_t mode = [] {
        mode_t mask = 022;
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly | QIODevice::Text)) {
            for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
                bool ok = false;
                const uint value = line.mid(6).trimmed().toUInt(&ok, 8);
                if (line.startsWith("Umask:") && ok) mask = mode_t(value);
            }
        }
        return mode_t(0666 & ~mask);
    }();
    return mode;
}

// One temporary file, written and synced, waiting for its rename; removed unless renamed.
class StagedFile {
public:
    StagedFile() = default;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile() {
        if (!temporary_.isEmpty()) ::unlink(QFile::encodeName(temporary_).constData());
    }

    bool Write(const QString& path, const QByteArray& bytes, QString* error);
    bool Rename(QString* error);

private:
    bool Fail(int code, QString* error) const {
        if (error) *error = SaveError(path_, SystemErrorText(code ? code : EIO));
        return false;
    }
    static int WriteAll(int fd, const QByteArray& bytes);

    QString path_;       // as the caller named it, for messages
    QString target_;     // the file replaced
    QString temporary_;  // set while a temporary file exists
};

bool StagedFile::Write(const QString& path, const QByteArray& bytes, QString* error) {
    path_ = path;
    target_ = ResolvedTarget(path);
    struct stat old {};
    const bool exists = ::stat(QFile::encodeName(target_).constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        if (error)
            *error = SaveError(
                path, QCoreApplication::translate("AtomicFile", "на этом месте не обычный файл"));
        return false;
    }
    QByteArray name = QFile::encodeName(target_) + ".XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return Fail(errno, error);
    temporary_ = QFile::decodeName(name);
    // The new file keeps the permissions of the one it replaces.
    const int code = ::fchmod(fd, exists ? old.st_mode & 07777 : NewFileMode()) == 0
                         ? WriteAll(fd, bytes)
                         : errno;
    if (code != 0) {
        ::close(fd);
        return Fail(code, error);
    }
    // The data reach the disk before the rename makes them the file.
    if (::fsync(fd) != 0) {
        const int syncCode = errno;
        ::close(fd);
        return Fail(syncCode, error);
    }
    return ::close(fd) == 0 ? true : Fail(errno, error);
}

// 0 when every byte is written, else the error number (EIO when none is known).
int StagedFile::WriteAll(int fd, const QByteArray& bytes) {
    const auto failure = [](int code) { return code ? code : EIO; };
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle))
        return failure(errno);
    std::unique_ptr<QIODevice> wrapped = Wrapper() ? Wrapper()(file) : nullptr;
    QIODevice& device = wrapped ? *wrapped : file;
    qint64 done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 wrote = device.write(bytes.constData() + done, bytes.size() - done);
        if (wrote <= 0) return failure(errno);
        done += wrote;
    }
    errno = 0;
    if (!file.flush() || file.error() != QFileDevice::NoError) return failure(errno);
    return 0;
}

bool StagedFile::Rename(QString* error) {
    const QByteArray target = QFile::encodeName(target_);
    if (::rename(QFile::encodeName(temporary_).constData(), target.constData()) != 0)
        return Fail(errno, error);
    temporary_.clear();
    // The folder is synced too, so the new name survives a power cut. The file is already
    // replaced here, so a failure of this sync is no reason to say the save failed.
    const QByteArray folder = QFile::encodeName(QFileInfo(target_).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

}  // namespace

bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    StagedFile file;
    return file.Write(path, bytes, error) && file.Rename(error);
}

bool ReplaceFilesAtomically(const QList<QPair<QString, QByteArray>>& files, QString* error) {
    std::vector<std::unique_ptr<StagedFile>> staged;
    for (const auto& [path, bytes] : files) {
        staged.push_back(std::make_unique<StagedFile>());
        if (!staged.back()->Write(path, bytes, error)) return false;
    }
    // Renames within one folder only fail when the folder changes under the program.
    for (const auto& file : staged)
        if (!file->Rename(error)) return false;
    return true;
}

void SetWriteDeviceWrapper(WriteDeviceWrapper wrapper) {
    Wrapper() = std::move(wrapper);
}
