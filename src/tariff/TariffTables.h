// SPDX-License-Identifier: GPL-3.0-or-later
// The whole tariff as the tariff editor edits it: both tariff files read and written at once.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

class ProgramFolder;

struct TariffTables {
    std::array<int16_t, 24> hourClasses{};  // tariff class of each hour, as stored
    std::array<float, 4> prices{};          // price of each class, per MB or per hour
};

// Reads the 24 hour records of "tar.dat" and the 4 price records of "tar.money.dat";
// records beyond a file's end read as 0 and a missing file is created empty. A file that
// exists but cannot be read whole gives false and `error`, its records then read as 0;
// so does a stored price that cannot be one (kept as read, see IsUsablePrice).
bool ReadTariffTables(const ProgramFolder& folder, TariffTables* tables, QString* error);

// Writes both tables from the start of their files; bytes after the last record stay as
// they were. Both files are replaced in one save: a failed save leaves both as they were.
// Refused when a price cannot be one or a file could not be read whole.
[[nodiscard]] bool WriteTariffTables(const ProgramFolder& folder, const TariffTables& tables,
                                     QString* error);
