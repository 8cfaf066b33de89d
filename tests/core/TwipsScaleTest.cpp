// SPDX-License-Identifier: GPL-3.0-or-later
// Twips to pixels, stretched only as far as the controls need.
#include "core/TwipsScale.h"

#include <gtest/gtest.h>

TEST(TwipsScale, fifteenTwipsMakeOnePixelWhenEverythingFits) {
    TwipsScale scale;
    scale.Fit(60, 1095);
    EXPECT_EQ(scale.Rect(120, 480, 2415, 255), QRect(8, 32, 161, 17));
    EXPECT_EQ(scale.Length(-120), -8);
}

TEST(TwipsScale, aControlWiderThanItsPlaceStretchesTheWholeLayout) {
    TwipsScale scale;
    scale.Fit(180, 2415);
    scale.Fit(100, 1500);
    EXPECT_EQ(scale.Length(2415), 180);
    EXPECT_EQ(scale.Rect(120, 480, 2415, 255), QRect(9, 36, 180, 19));
    EXPECT_EQ(scale.Length(4830), 360) << "every length alike";

    scale.Fit(10, 2415);
    EXPECT_EQ(scale.Length(2415), 180) << "never shrinks";
}
