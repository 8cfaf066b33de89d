// SPDX-License-Identifier: GPL-3.0-or-later
// vantoril-history: the connections, days and billing period of Vantoril's history.
#include "core/Clock.h"
#include "core/UiLanguage.h"
#include "tools/vantoril-history/HistoryTool.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    // Without TZ the C library looks at /etc/localtime again for every local time it works
    // out, thousands in a report over years; the zone cannot change within one run.
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    QCoreApplication app(argc, argv);
    InstallProgramTranslation();  // the texts of the libraries, in English where asked
    QTextStream out(stdout);
    QTextStream err(stderr);
    const SystemClock clock;
    return RunHistoryTool(app.arguments().mid(1), out, err, clock, QLocale::system());
}
