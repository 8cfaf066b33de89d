// Reading and writing the two tariff files whole, for the tariff editor.
#include "tariff/TariffTables.h"

#include "shell/AtomicFile.h"
#include "shell/ProgramFolder.h"
#include "tariff/TariffFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

// The file's bytes; a missing file is created empty (as the lookups do) and reads as
// no bytes. False only when an existing file cannot be read.
bool ReadFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        file.open(QIODevice::WriteOnly);  // best effort: a read-only folder just stays empty
        bytes->clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(path, file.errorString());
        return false;
    }
    *bytes = file.readAll();
    return true;
}

// Little-endian record `index` of type T, or zero bytes when the file ends before it.
template <typename T>
T RecordAt(const QByteArray& bytes, int index) {
    const qsizetype offset = qsizetype(index) * qsizetype(sizeof(T));
    if (offset + qsizetype(sizeof(T)) > bytes.size()) return T{};
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

// `bytes` with its leading records replaced by `records`; a shorter file grows to hold them.
template <typename T, size_t N>
QByteArray WithRecords(QByteArray bytes, const std::array<T, N>& records) {
    const qsizetype length = qsizetype(N * sizeof(T));
    if (bytes.size() < length) bytes.resize(length);
    for (size_t i = 0; i < N; ++i) qToLittleEndian<T>(records[i], bytes.data() + i * sizeof(T));
    return bytes;
}

}  // namespace

bool ReadTariffTables(const ProgramFolder& folder, TariffTables* tables, QString* error) {
    QByteArray hours;
    QByteArray prices;
    QString hoursError;
    QString pricesError;
    // Both files are read even when the first fails, so the other still shows as stored.
    const bool hoursRead = ReadFileBytes(folder.AppFilePath(kHourTableFile), &hours, &hoursError);
    const bool pricesRead =
        ReadFileBytes(folder.AppFilePath(kPriceTableFile), &prices, &pricesError);
    const bool ok = hoursRead && pricesRead;
    for (int h = 0; h < 24; ++h) tables->hourClasses[h] = RecordAt<int16_t>(hours, h);
    for (int c = 0; c < 4; ++c) tables->prices[c] = RecordAt<float>(prices, c);
    if (!ok && error) *error = hoursError.isEmpty() ? pricesError : hoursError;
    return ok;
}

bool WriteTariffTables(const ProgramFolder& folder, const TariffTables& tables, QString* error) {
    const QString hoursPath = folder.AppFilePath(kHourTableFile);
    const QString pricesPath = folder.AppFilePath(kPriceTableFile);
    QString readError;
    QByteArray oldHours;
    QByteArray oldPrices;
    // Both files are read first: a file whose tail cannot be kept is not written at all.
    if (!ReadFileBytes(hoursPath, &oldHours, &readError) ||
        !ReadFileBytes(pricesPath, &oldPrices, &readError)) {
        if (error) *error = readError;
        return false;
    }
    if (!ReplaceFileAtomically(hoursPath, WithRecords(oldHours, tables.hourClasses), error))
        return false;
    if (!ReplaceFileAtomically(pricesPath, WithRecords(oldPrices, tables.prices), error)) {
        ReplaceFileAtomically(hoursPath, oldHours);
        return false;
    }
    return true;
}
