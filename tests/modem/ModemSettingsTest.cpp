// SPDX-License-Identifier: GPL-3.0-or-later
// The operator keys as the window's fields give them: refused in plain words, or stored.
#include "TempFolder.h"
#include "core/ProgramFolder.h"
#include "modem/ModemSettings.h"

#include <gtest/gtest.h>

namespace {

const QLocale kRussian(QLocale::Russian, QLocale::Russia);

// Caught: a code the modem would send to the operator as a call or a menu choice, a
// negative alert threshold, or a percent beyond the limit.
TEST(ModemSettingsTest, RefusesWhatNoOperatorOrLimitCanTake) {
    for (const ModemInput& wrong :
         {ModemInput{"100", 60, "", false, 0}, ModemInput{"*100", 60, "", false, 0},
          ModemInput{"*100#", 5, "", false, 0}, ModemInput{"*100#", 60, "-5", false, 0},
          ModemInput{"*100#", 60, "пять", false, 0}, ModemInput{"*100#", 60, "", false, 101}}) {
        const ModemCheck check = CheckModemInput(wrong, kRussian);
        EXPECT_FALSE(check.values) << wrong.code.toStdString() << wrong.low.toStdString();
        EXPECT_FALSE(check.error.isEmpty());
    }
}

// Caught: a key written under another name, or read back with another value.
TEST(ModemSettingsTest, StoredKeysAreReadBack) {
    TempFolder temp;
    const ProgramFolder folder(temp.Path());
    EXPECT_EQ(LoadSettings(folder).balance_every, 60);
    const ModemCheck check = CheckModemInput({" *102*1# ", 30, "49,5", true, 80}, kRussian);
    ASSERT_TRUE(check.values) << check.error.toStdString();
    ASSERT_TRUE(SaveModemSettings(folder, *check.values));
    const Settings read = LoadSettings(folder);
    EXPECT_EQ(read.balance_ussd, QStringLiteral("*102*1#"));
    EXPECT_EQ(read.balance_every, 30);
    EXPECT_EQ(read.balance_low, 49.5);
    EXPECT_EQ(read.roaming_hangup, 1);
    EXPECT_EQ(read.metered_at, 80);
}

}  // namespace
