// SPDX-License-Identifier: GPL-3.0-or-later
// Booking a connection's cost into the month's total of its statistics file.
#include "AddStatistic.h"

#include "core/IniFile.h"
#include "core/Numbers.h"
#include "stats/ConnectionFileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <optional>

namespace {

QString NotBooked() {
    return QCoreApplication::translate("AddStatistic", " Стоимость соединения не записана.");
}

QString NotANumber(const QString& stored, const QString& key, const QString& path) {
    return QCoreApplication::translate("AddStatistic",
                                       "Сумма за %1 в файле «%2» — «%3» — не является числом. "
                                       "Исправьте или удалите её.")
               .arg(key, path, stored) +
           NotBooked();
}

QString Overflow(const QString& key, const QString& path) {
    return QCoreApplication::translate("AddStatistic", "Сумма за %1 в файле «%2» слишком велика.")
               .arg(key, path) +
           NotBooked();
}

// The month's new total; nothing when the stored value is not a single-precision number.
std::optional<float> NewTotal(const QString& stored, float amount, const QLocale& locale) {
    if (stored.isEmpty()) return amount;
    const std::optional<float> old = ReadLocaleSingle(stored, locale);
    if (!old) return std::nullopt;
    return *old + amount;
}

}  // namespace

QString AddStatistic(const QString& key, float amount, const QString& file, const QLocale& locale) {
    QString path = file;
    if (!path.endsWith(QLatin1String(kStatisticExtension))) path += kStatisticExtension;

    // A file that cannot be read whole loads as empty, and saving that would throw away
    // every month it holds.
    IniFile ini = IniFile::Load(path, kStatisticFileLimit);
    if (!ini.ReadProblem().isEmpty()) return ini.ReadProblem() + NotBooked();
    const QString stored = ini.Value(kStatisticSection, key);
    const std::optional<float> total = NewTotal(stored, amount, locale);
    if (!total) {
        if (ReadLocaleNumber(stored, locale)) return Overflow(key, path);
        return NotANumber(stored, key, path);
    }
    if (!std::isfinite(*total)) return Overflow(key, path);

    ini.SetValue(kStatisticSection, key, NumberText(*total, locale));
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QCoreApplication::translate("AddStatistic", "Не удалось создать папку «%1».")
                   .arg(folder) +
               NotBooked();
    QString error;
    if (!ini.Save(path, &error)) return error + NotBooked();
    return {};
}
