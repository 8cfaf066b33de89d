// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the syntax checker and the lint on any file content.
#include "core/TextDecoding.h"
#include "script/ScriptLines.h"
#include "script/ScriptLint.h"
#include "script/SyntaxChecker.h"

#include <QLocale>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString code =
        DecodeText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    SyntaxChecker checker;
    checker.SetCode(code);
    const SyntaxReport report = checker.Check();
    // A report names a line of the script, or none without a fault.
    const qsizetype lines = SplitScriptLines(code).size();
    if (report.fault
            ? (report.line < 1 || report.line > qMax(lines, qsizetype(kMaxScriptLines) + 1))
            : report.line != 0)
        __builtin_trap();
    // Every warning names a line of the script, in order.
    int previous = 0;
    for (const LintWarning& warning : LintScript(code, QLocale(QLocale::Russian))) {
        if (warning.line < previous || warning.line < 1 || warning.line > lines) __builtin_trap();
        previous = warning.line;
    }
    return 0;
}
