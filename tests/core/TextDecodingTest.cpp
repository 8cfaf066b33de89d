// SPDX-License-Identifier: GPL-3.0-or-later
// Text files in UTF-8, with or without a byte-order mark, and in Windows-1251.
#include "core/TextDecoding.h"

#include <gtest/gtest.h>

TEST(DecodeText, readsUtf8AndDropsAByteOrderMark) {
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFmessage('\xD0\x9F')"), QString::fromUtf8("message('П')"));
}

TEST(DecodeText, readsNonUtf8AsWindows1251) {
    EXPECT_EQ(DecodeText("\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8 \xB9"),
              QString::fromUtf8("Привет Ёё №"));
}

TEST(DecodeText, oneStrayByteGarblesOnlyItsOwnLine) {
    EXPECT_EQ(DecodeText("\xD0\x9F\xD1\x80\xD0\xB8\r\ncaf\xE9\r\xD0\x94\xD0\xB0\n"),
              QString::fromUtf8("При\r\ncafй\rДа\n"));
}
