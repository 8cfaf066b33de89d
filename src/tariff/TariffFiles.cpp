// SPDX-License-Identifier: GPL-3.0-or-later
// Rate lookup in the two tariff files.
#include "TariffFiles.h"

#include "core/Clock.h"
#include "core/FileNotices.h"
#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QtEndian>

#include <cmath>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kHours = 24;
constexpr int kClasses = 4;

// Reads the record of type T at `index`; a record beyond the file's end, or a file that
// cannot be read, reads as all zero bytes.
template <typename T>
T ReadRecord(const QString& path, int index) {
    const RegularFile file = ReadTariffFile(path);
    NoticeFileProblem(file.error);  // looked up at every tick, told once
    const qsizetype offset = qsizetype(index) * qsizetype(sizeof(T));
    if (offset + qsizetype(sizeof(T)) > file.bytes.size()) return T{};
    return qFromLittleEndian<T>(file.bytes.constData() + offset);
}

}  // namespace

RegularFile ReadTariffFile(const QString& path) {
    RegularFile file = ReadRegularFile(path, kTariffFileLimit);
    if (file.status == RegularFile::Status::Missing) {
        // Created empty, as the editor expects; a read-only folder just stays without it.
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) ::close(fd);
    }
    return file;
}

int16_t GetDataTar(const ProgramFolder& folder, int16_t hour) {
    if (hour < 0 || hour >= kHours) return 0;
    return ReadRecord<int16_t>(folder.AppFilePath(kHourTableFile), hour);
}

float GetMoneyTar(const ProgramFolder& folder, int16_t tariffClass) {
    if (tariffClass < 0 || tariffClass >= kClasses) return 0;
    const QString path = folder.AppFilePath(kPriceTableFile);
    const float price = ReadRecord<float>(path, tariffClass);
    if (IsUsablePrice(price)) return price;
    NoticeFileProblem(UnusablePriceText(path, tariffClass, price));
    return 0;
}

float CurrentRate(const ProgramFolder& folder, const Clock& clock) {
    const int16_t hour = int16_t(clock.Now().time().hour());
    return GetMoneyTar(folder, GetDataTar(folder, hour));
}

bool IsUsablePrice(float price) {
    return std::isfinite(price) && price >= 0;
}

QString UnusablePriceText(const QString& path, int tariffClass, float price) {
    return QCoreApplication::translate(
               "TariffFiles",
               "В файле «%1» цена класса %2 — «%3» — не может быть ценой; "
               "в расчётах она считается нулём. Задайте цену в редакторе тарифа.")
        .arg(path)
        .arg(tariffClass)
        .arg(QString::number(double(price), 'g', 7));
}
