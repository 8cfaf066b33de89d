// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting the twips scale to the captions of a window.
#include "core/TwipsScale.h"

#include <algorithm>
#include <cmath>

void TwipsScale::Fit(int pixels, int widthTwips) {
    pixelsPerTwip_ = std::max(pixelsPerTwip_, static_cast<double>(pixels) / widthTwips);
}

int TwipsScale::Length(int twips) const {
    return static_cast<int>(std::lround(twips * pixelsPerTwip_));
}

QRect TwipsScale::Rect(int left, int top, int width, int height) const {
    return QRect(Length(left), Length(top), Length(width), Length(height));
}
