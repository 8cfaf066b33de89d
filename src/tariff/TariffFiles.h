// The tariff: "tar.dat" (24 int16 classes, one per hour) and "tar.money.dat"
// (4 float prices, one per class), both little-endian, read afresh at every lookup.
#pragma once

#include <cstdint>

class Clock;
class ProgramFolder;

inline constexpr char kHourTableFile[] = "tar.dat";
inline constexpr char kPriceTableFile[] = "tar.money.dat";

// The tariff class of an hour (0..23). A negative hour, a missing record or a file that
// can be neither opened nor created gives 0. A missing file is created empty.
int16_t GetDataTar(const ProgramFolder& folder, int16_t hour);
// The price of a tariff class, per MB or per hour; 0 in the same cases as above.
float GetMoneyTar(const ProgramFolder& folder, int16_t tariffClass);

// The rate in force at the clock's current local hour.
float CurrentRate(const ProgramFolder& folder, const Clock& clock);
