// SPDX-License-Identifier: GPL-3.0-or-later
// vantoril-script: checks and runs Vantoril scripts from the command line.
#include "core/UiLanguage.h"
#include "tools/vantoril-script/ScriptTool.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    InstallProgramTranslation();  // the texts of the libraries, in English where asked
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunScriptTool(app.arguments().mid(1), out, err);
}
