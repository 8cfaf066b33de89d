// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the two tariff files whole, for the tariff editor.
#include "tariff/TariffTables.h"

#include "core/AtomicFile.h"
#include "core/ProgramFolder.h"
#include "tariff/TariffFiles.h"

#include <QCoreApplication>
#include <QStringList>
#include <QtEndian>

namespace {

// The file's bytes (none for a missing file, created empty). False when an existing file
// cannot be read whole; `error` then says why.
bool ReadFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    const RegularFile file = ReadTariffFile(path);
    *bytes = file.bytes;
    if (file.MayReplace()) return true;
    *error = file.error;
    return false;
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
    const QString pricesPath = folder.AppFilePath(kPriceTableFile);
    QByteArray hours;
    QByteArray prices;
    QStringList problems;
    // Both files are read even when the first fails, so the other still shows as stored.
    for (const auto& [path, bytes] :
         {std::pair{folder.AppFilePath(kHourTableFile), &hours}, std::pair{pricesPath, &prices}}) {
        QString problem;
        if (!ReadFileBytes(path, bytes, &problem))
            problems << problem + QCoreApplication::translate("TariffTables",
                                                              " Его записи показаны нулями.");
    }
    for (int h = 0; h < 24; ++h) tables->hourClasses[h] = RecordAt<int16_t>(hours, h);
    for (int c = 0; c < 4; ++c) {
        tables->prices[c] = RecordAt<float>(prices, c);
        if (!IsUsablePrice(tables->prices[c]))
            problems << UnusablePriceText(pricesPath, c, tables->prices[c]);
    }
    if (error) *error = problems.join(u'\n');
    return problems.isEmpty();
}

bool WriteTariffTables(const ProgramFolder& folder, const TariffTables& tables, QString* error) {
    for (int c = 0; c < 4; ++c) {
        if (!IsUsablePrice(tables.prices[c])) {
            if (error)
                *error = QCoreApplication::translate("TariffTables",
                                                     "Цена класса %1 не может быть ценой.")
                             .arg(c);
            return false;
        }
    }
    const QString hoursPath = folder.AppFilePath(kHourTableFile);
    const QString pricesPath = folder.AppFilePath(kPriceTableFile);
    QString readError;
    QByteArray oldHours;
    QByteArray oldPrices;
    // Both files are read first: a file whose tail cannot be kept is not written at all.
    if (!ReadFileBytes(hoursPath, &oldHours, &readError) ||
        !ReadFileBytes(pricesPath, &oldPrices, &readError)) {
        if (error)
            *error = readError + QCoreApplication::translate("TariffTables", " Файл не изменён.");
        return false;
    }
    return ReplaceFilesAtomically({{hoursPath, WithRecords(oldHours, tables.hourClasses)},
                                   {pricesPath, WithRecords(oldPrices, tables.prices)}},
                                  error);
}
