// SPDX-License-Identifier: GPL-3.0-or-later
// What the sampling tick asks of the indicator window; the window implements it.
#pragma once

// Twips are 1/1440 inch; the window divides by 15 for device-independent pixels.
inline constexpr int kIndicatorFullHeightTwips = 1770;   // graph row visible
inline constexpr int kIndicatorShortHeightTwips = 1305;  // graph row cut off

class IndicatorWindowSteps {
public:
    virtual ~IndicatorWindowSteps() = default;
    // 0 fully transparent .. 255 opaque.
    virtual void SetWindowOpacity(int opacity) = 0;
    // Redraws caption and labels from the counters as they stand (the previous tick's).
    virtual void RefreshIndicator() = 0;
    // The outer height of the window; the width never changes.
    virtual void SetWindowHeightTwips(int twips) = 0;
};
