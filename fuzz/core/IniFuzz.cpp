// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes as an INI file, read, updated and written back.
#include "core/IniFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    IniFile ini = IniFile::Parse(bytes);
    // Nothing set, nothing changed: every byte and line end is written back as read.
    if (ini.Serialized() != bytes) __builtin_trap();
    const QStringList keys = ini.Keys(QStringLiteral("Vantoril"));
    for (const QString& key : keys) {
        const QString value = ini.Value(QStringLiteral("Vantoril"), key);
        if (value.size() > 254) __builtin_trap();
    }
    ini.SetValue(QStringLiteral("Vantoril"), QStringLiteral("full"), QStringLiteral("1"));
    ini.SetValue(QStringLiteral("Statistic"), QStringLiteral("01.2026"), QStringLiteral("2,5"));
    // What is written reads back the same.
    const IniFile again = IniFile::Parse(ini.Serialized());
    if (again.Value(QStringLiteral("vantoril"), QStringLiteral("FULL")) != QStringLiteral("1"))
        __builtin_trap();
    return 0;
}
