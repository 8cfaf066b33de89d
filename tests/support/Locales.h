// SPDX-License-Identifier: GPL-3.0-or-later
// The two locales tests pin: Russian (decimal comma) and C (decimal point).
#pragma once

#include <QLocale>

inline QLocale RussianLocale() {
    return QLocale(QLocale::Russian, QLocale::Russia);
}
inline QLocale PointLocale() {
    return QLocale::c();
}
