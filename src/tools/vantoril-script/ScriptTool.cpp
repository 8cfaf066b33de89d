// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of vantoril-script: check a script file, list what it probably does not
// do as meant, or run it once and list what it did.
#include "tools/vantoril-script/ScriptTool.h"

#include "core/ProgramFolder.h"
#include "core/RegularFile.h"
#include "core/TextDecoding.h"
#include "script/RecordingHost.h"
#include "script/ScriptFile.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptLint.h"
#include "script/SyntaxChecker.h"
#include "tools/vantoril-script/PinnedClock.h"
#include "tools/vantoril-script/ScriptToolOptions.h"

#include <memory>
#include <optional>

namespace {

enum ExitStatus { kDone = 0, kFaultFound = 1, kUnusable = 2 };

// Read as the program reads its script: a regular file within the script's size limit.
std::optional<QString> ReadScript(const QString& path, QTextStream& err) {
    const RegularFile file = ReadRegularFile(path, kScriptFileLimit);
    QString why;
    switch (file.status) {
        case RegularFile::Status::Read:
            return DecodeText(file.bytes);
        case RegularFile::Status::Missing:
            why = QStringLiteral("no such file");
            break;
        case RegularFile::Status::NotRegular:
            why = QStringLiteral("not a regular file (a folder, pipe or device)");
            break;
        case RegularFile::Status::TooLarge:
            why = QStringLiteral("larger than %1 MiB, which the program does not read")
                      .arg(kScriptFileLimit / kMiB);
            break;
        case RegularFile::Status::Unreadable:
            why = file.error;
            break;
    }
    err << "vantoril-script: cannot read " << path << ": " << why << Qt::endl;
    return std::nullopt;
}

int Check(const QString& code, QTextStream& out) {
    SyntaxChecker checker;
    checker.SetCode(code);
    const SyntaxReport report = checker.Check();
    out << SyntaxVerdict(report) << Qt::endl;
    return report.fault ? kFaultFound : kDone;
}

// One line per warning, "FILE:LINE: warning: TEXT", as compilers write them.
int Lint(const ScriptToolOptions& options, const QString& code, QTextStream& out) {
    const QList<LintWarning> warnings = LintScript(code, options.locale);
    for (const LintWarning& warning : warnings)
        out << options.file << ':' << warning.line << ": warning: " << warning.text << Qt::endl;
    return warnings.isEmpty() ? kDone : kFaultFound;
}

int Run(const ScriptToolOptions& options, const QString& code, QTextStream& out) {
    std::unique_ptr<Clock> clock;
    if (options.time)
        clock = std::make_unique<PinnedClock>(*options.time);
    else
        clock = std::make_unique<SystemClock>();
    const QString folder = options.folder ? *options.folder : ProgramFolder::Choose().Path();
    RecordingHost host(options.counters, folder, *clock, options.locale);
    ScriptInterpreter engine(host);
    engine.SetCode(code);
    engine.run();
    for (const QString& operation : host.Operations()) out << operation << Qt::endl;
    return kDone;
}

}  // namespace

int RunScriptTool(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const ParsedOptions parsed = ParseScriptToolOptions(arguments);
    if (!parsed.options) {
        err << "vantoril-script: " << parsed.error << '\n' << ScriptToolUsage() << Qt::flush;
        return kUnusable;
    }
    const std::optional<QString> code = ReadScript(parsed.options->file, err);
    if (!code) return kUnusable;
    switch (parsed.options->command) {
        case ScriptToolOptions::Command::Check:
            return Check(*code, out);
        case ScriptToolOptions::Command::Lint:
            return Lint(*parsed.options, *code, out);
        case ScriptToolOptions::Command::Run:
            break;
    }
    return Run(*parsed.options, *code, out);
}
