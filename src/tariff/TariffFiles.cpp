// Rate lookup in the two tariff files.
#include "TariffFiles.h"

#include "shell/Clock.h"
#include "shell/ProgramFolder.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr int kHours = 24;
constexpr int kClasses = 4;

// Reads the record of `size` bytes at `index`. A missing file is created empty; a
// record beyond the file's end, or a file that can be neither opened nor created,
// reads as all zero bytes.
template <typename T>
T ReadRecord(const QString& path, int index) {
    QFile file(path);
    if (!file.exists()) {
        file.open(QIODevice::WriteOnly);  // created empty, as the editor expects
        return T{};
    }
    if (!file.open(QIODevice::ReadOnly) || !file.seek(qint64(index) * sizeof(T))) return T{};
    uchar bytes[sizeof(T)];
    if (file.read(reinterpret_cast<char*>(bytes), sizeof bytes) != qint64(sizeof bytes)) return T{};
    return qFromLittleEndian<T>(bytes);
}

}  // namespace

int16_t GetDataTar(const ProgramFolder& folder, int16_t hour) {
    if (hour < 0 || hour >= kHours) return 0;
    return ReadRecord<int16_t>(folder.AppFilePath(kHourTableFile), hour);
}

float GetMoneyTar(const ProgramFolder& folder, int16_t tariffClass) {
    if (tariffClass < 0 || tariffClass >= kClasses) return 0;
    return ReadRecord<float>(folder.AppFilePath(kPriceTableFile), tariffClass);
}

float CurrentRate(const ProgramFolder& folder, const Clock& clock) {
    const int16_t hour = int16_t(clock.Now().time().hour());
    return GetMoneyTar(folder, GetDataTar(folder, hour));
}
