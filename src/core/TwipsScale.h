// SPDX-License-Identifier: GPL-3.0-or-later
// Twips to pixels for a window whose captions must fit whatever font the desktop has.
#pragma once

#include <QRect>

// The layouts were drawn for a narrow 8-point font, 15 twips to the pixel. With a wider
// font the whole window is stretched alike, just enough that every control handed to
// Fit shows its caption whole; with a font as narrow as the original nothing changes.
class TwipsScale {
public:
    // Widens the scale until `pixels` fit into `widthTwips`.
    void Fit(int pixels, int widthTwips);

    int Length(int twips) const;
    QRect Rect(int left, int top, int width, int height) const;

private:
    double pixelsPerTwip_ = 1.0 / 15;
};
