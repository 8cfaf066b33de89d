// SPDX-License-Identifier: GPL-3.0-or-later
// The month keys of a statistics file, read the way the viewer reads it: item by item.
#pragma once

#include <QString>
#include <QStringList>

// Splits `text` into items (an item ends at a comma or a line end; spaces before it are
// skipped; an item opening with a double quote runs to the next double quote on its
// line) and gives, for every item whose first "=" is not its first character, the text
// before that "=".
// A stored "03.2008=12,5" gives one date, 03.2008, because its decimal comma ends the item.
QStringList StatisticDates(const QString& text);
