// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator window's colours.
#pragma once

#include <QColor>

inline const QColor kIndicatorBackground(119, 149, 175);
inline const QColor kMessageText(255, 0, 0);
inline const QColor kGraphColumn(255, 0, 0);
