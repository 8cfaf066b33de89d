// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: books connections into a program folder without end, until it is killed.
#include "stats/AddStatistic.h"

#include <QLocale>
#include <QString>

#include <cstdio>

// Usage: stats_booker <program folder>. Each booking adds 0.25 to one of twelve months
// of one of two connections; amounts are exact in single precision. It says "booked" on
// its output after each booking.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: stats_booker <program folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (unsigned i = 0;; ++i) {
        const QString name = i % 2 ? QStringLiteral("MyISP") : QStringLiteral("Работа");
        const QString key = QStringLiteral("%1.2008").arg(i / 2 % 12 + 1, 2, 10, QLatin1Char('0'));
        const QString error =
            AddStatistic(key, 0.25f, folder + QStringLiteral("/connections/") + name, QLocale::c());
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("booked\n");  // the test times its kill by these
        std::fflush(stdout);
    }
}
