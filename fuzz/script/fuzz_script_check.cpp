// Fuzz target: the syntax checker on any file content.
#include "script/clsCheckSyntax.h"
#include "shell/TextDecoding.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    clsCheckSyntax checker;
    checker.SetCode(DecodeText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))));
    const QString report = checker.CheckSyntax();
    // A report is empty or names a line.
    if (!report.isEmpty() && !report.startsWith(QStringLiteral("Ошибка на линии ")))
        __builtin_trap();
    return 0;
}
