// SPDX-License-Identifier: GPL-3.0-or-later
// Once per interval, with the slack that keeps a ticking caller from skipping a tick.
#include "core/Throttle.h"

#include <gtest/gtest.h>

TEST(Throttle, letsThroughOncePerIntervalWithinTheSlackAndAfterTheClockWentBack) {
    Throttle throttle(1000, 50);
    EXPECT_TRUE(throttle.Due(10'000)) << "nothing happened yet";
    throttle.Done(10'000);
    EXPECT_FALSE(throttle.Due(10'500)) << "a half-second tick between";
    EXPECT_TRUE(throttle.Due(10'960)) << "a second tick a little early";
    EXPECT_TRUE(throttle.Due(11'900)) << "due until it happens";
    throttle.Done(11'900);
    EXPECT_FALSE(throttle.Due(12'849));
    EXPECT_TRUE(throttle.Due(12'850));
    EXPECT_TRUE(throttle.Due(5'000)) << "the clock went back";
}
