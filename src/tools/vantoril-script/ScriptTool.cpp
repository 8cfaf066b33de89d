// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of vantoril-script: check a script file, list what it probably does not
// do as meant, or run it once and list what it did.
#include "tools/vantoril-script/ScriptTool.h"

#include "core/ProgramFolder.h"
#include "core/TextDecoding.h"
#include "script/RecordingHost.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptLint.h"
#include "script/SyntaxChecker.h"
#include "tools/vantoril-script/PinnedClock.h"
#include "tools/vantoril-script/ScriptToolOptions.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <optional>

namespace {

enum ExitStatus { kDone = 0, kFaultFound = 1, kUnusable = 2 };

std::optional<QString> ReadScript(const QString& path, QTextStream& err) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        err << "vantoril-script: cannot read " << path << ": "
            << (QFileInfo(path).isDir() ? QStringLiteral("it is a folder") : file.errorString())
            << Qt::endl;
        return std::nullopt;
    }
    return DecodeText(file.readAll());
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
