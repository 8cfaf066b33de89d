// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics viewer's decorative picture: a stack of coins beside a banknote.
#pragma once

#include <QPixmap>

QPixmap MoneyPicture(int size);  // size in device-independent pixels, square
