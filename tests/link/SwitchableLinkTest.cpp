// SPDX-License-Identifier: GPL-3.0-or-later
// Exchanging the watched source while the program runs.
#include "FakeLink.h"
#include "link/SwitchableLink.h"

#include <gtest/gtest.h>

namespace {
LinkStats Up(uint64_t received, uint64_t sent, uint64_t ms, uint64_t connection) {
    return LinkStats{received, sent, 48000, ms, connection};
}
}  // namespace

TEST(SwitchableLink, aConnectionAlreadyUpCountsFromTheSwitchUnderANewNumber) {
    auto first = std::make_unique<FakeLink>();
    first->connected = true;
    first->stats = Up(1000, 100, 5000, 1);
    SwitchableLink link(std::move(first));
    EXPECT_EQ(link.GetLinkStats(), Up(1000, 100, 5000, 1)) << "untouched before any switch";

    auto second = std::make_unique<FakeLink>();
    FakeLink& other = *second;
    other.connected = true;
    other.stats = Up(40000, 4000, 60000, 1);  // the same number in its own counting
    link.Switch(std::move(second));
    EXPECT_EQ(link.GetLinkStats(), Up(0, 0, 0, 2)) << "another connection, from zero";
    other.stats = Up(40500, 4100, 62000, 1);
    EXPECT_EQ(link.GetLinkStats(), Up(500, 100, 2000, 2));

    // A redial of the new source is a connection of its own with its whole figures.
    other.stats = Up(300, 30, 1000, 2);
    EXPECT_EQ(link.GetLinkStats(), Up(300, 30, 1000, 3));
    link.HangUpLink(2);
    EXPECT_TRUE(other.connected) << "an old number hangs up nothing";
    link.HangUpLink(3);
    EXPECT_FALSE(other.connected);
}
