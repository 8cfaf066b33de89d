// SPDX-License-Identifier: GPL-3.0-or-later
// Window layouts are given in twips; on screen 15 twips make one device-independent pixel.
#pragma once

#include <QRect>

constexpr int Twips(int twips) {
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}
