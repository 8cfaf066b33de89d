// SPDX-License-Identifier: GPL-3.0-or-later
// The keys that ask for a context menu.
#pragma once

#include <QKeyEvent>

// The Menu key, and Shift+F10.
inline bool IsMenuKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Menu ||
           (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}
