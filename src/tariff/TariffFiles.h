// SPDX-License-Identifier: GPL-3.0-or-later
// The tariff: "tar.dat" (24 int16 classes, one per hour) and "tar.money.dat"
// (4 float prices, one per class), both little-endian, read afresh at every lookup.
#pragma once

#include "core/RegularFile.h"

#include <QString>

#include <cstdint>

class Clock;
class ProgramFolder;

inline constexpr char kHourTableFile[] = "tar.dat";
inline constexpr char kPriceTableFile[] = "tar.money.dat";
// The tables are 48 and 16 bytes; a file over this size is not read, nor rewritten.
inline constexpr qint64 kTariffFileLimit = kMiB;

// The tariff class of an hour (0..23). A negative hour, a missing record or a file that
// can be neither opened nor created gives 0. A missing file is created empty.
int16_t GetDataTar(const ProgramFolder& folder, int16_t hour);
// The price of a tariff class, per MB or per hour; 0 in the same cases as above, and for
// a stored price that cannot be one (see IsUsablePrice).
float GetMoneyTar(const ProgramFolder& folder, int16_t tariffClass);

// The rate in force at the clock's current local hour.
float CurrentRate(const ProgramFolder& folder, const Clock& clock);

// A price is a finite number, not below zero.
bool IsUsablePrice(float price);
// Plain words for a stored price that cannot be one: which file, which class.
QString UnusablePriceText(const QString& path, int tariffClass, float price);

// A tariff file read whole (a missing one is created empty and reads as no bytes). The
// lookups tell the user once when a file cannot be read; the editor says it itself.
RegularFile ReadTariffFile(const QString& path);
