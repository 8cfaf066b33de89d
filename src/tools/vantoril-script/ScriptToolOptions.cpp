// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of vantoril-script: what to do, with which file and settings.
#include "tools/vantoril-script/ScriptToolOptions.h"

#include "script/ScriptBuiltIns.h"

#include <cmath>
#include <utility>

namespace {

ParsedOptions Fail(const QString& error) {
    return ParsedOptions{std::nullopt, error};
}

std::optional<QLocale> LocaleNamed(const QString& name) {
    const QLocale locale(name);
    const bool asksForC = name == u"C" || name == u"POSIX";
    if (locale.language() == QLocale::C && !asksForC) return std::nullopt;
    return locale;
}

// Sets one counter from "NAME=VALUE"; false when the name or the value is wrong.
bool SetCounter(ScriptCounters& counters, const QString& argument) {
    const qsizetype equals = argument.indexOf(u'=');
    if (equals < 0) return false;
    const QString name = argument.left(equals);
    const QString value = argument.mid(equals + 1);
    bool ok = false;
    for (const BuiltInCounter& counter : kBuiltInCounters) {
        if (name != counter.name) continue;
        if (counter.fractional) {
            const float number = QLocale::c().toFloat(value, &ok);
            if (ok && std::isfinite(number)) counters.*counter.fractional = number;
            return ok && std::isfinite(number);
        }
        const int whole = value.toInt(&ok);
        if (ok) counters.*counter.whole = whole;
        return ok;
    }
    return false;
}

// Applies "--locale", "--time" or "--folder" with its value; an error text when wrong.
QString SetOption(ScriptToolOptions& options, const QString& option, const QString& value) {
    if (option == u"--locale") {
        const std::optional<QLocale> locale = LocaleNamed(value);
        if (!locale) return QStringLiteral("unknown locale: ") + value;
        options.locale = *locale;
    } else if (option == u"--time") {
        const QTime time = QTime::fromString(value, QStringLiteral("H:mm:ss"));
        if (!time.isValid()) return QStringLiteral("the time must be HH:MM:SS, not: ") + value;
        options.time = time;
    } else if (option == u"--folder") {
        options.folder = value;
    } else {
        return QStringLiteral("unknown option: ") + option;
    }
    return QString();
}

ParsedOptions ParseRun(const QStringList& arguments) {
    ScriptToolOptions options;
    options.command = ScriptToolOptions::Command::Run;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QStringLiteral("--"))) {
            if (i + 1 >= arguments.size()) return Fail(argument + QStringLiteral(" needs a value"));
            const QString error = SetOption(options, argument, arguments[++i]);
            if (!error.isEmpty()) return Fail(error);
        } else if (options.file.isEmpty()) {
            options.file = argument;
        } else if (!SetCounter(options.counters, argument)) {
            return Fail(
                QStringLiteral("not a counter setting: ") + argument +
                QStringLiteral(
                    " (DL, UL, AL, MDL, MUL, MAL, CAL, CMAL, BILL, BAL take numbers with \".\";"
                    " TC, BPS, ROAM whole numbers)"));
        }
    }
    if (options.file.isEmpty()) return Fail(QStringLiteral("no script file given"));
    return ParsedOptions{options, QString()};
}

}  // namespace

// lint FILE [--locale NAME], the option before or after the file.
ParsedOptions ParseLint(const QStringList& arguments) {
    ScriptToolOptions options;
    options.command = ScriptToolOptions::Command::Lint;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--locale") {
            if (i + 1 >= arguments.size()) return Fail(argument + QStringLiteral(" needs a value"));
            const QString error = SetOption(options, argument, arguments[++i]);
            if (!error.isEmpty()) return Fail(error);
        } else if (argument.startsWith(QStringLiteral("--"))) {
            return Fail(QStringLiteral("unknown option for lint: ") + argument);
        } else if (options.file.isEmpty()) {
            options.file = argument;
        } else {
            return Fail(QStringLiteral("lint takes exactly one file"));
        }
    }
    if (options.file.isEmpty()) return Fail(QStringLiteral("no script file given"));
    return ParsedOptions{options, QString()};
}

ParsedOptions ParseScriptToolOptions(const QStringList& arguments) {
    if (arguments.isEmpty()) return Fail(QStringLiteral("no command given"));
    if (arguments[0] == u"run") return ParseRun(arguments);
    if (arguments[0] == u"lint") return ParseLint(arguments);
    if (arguments[0] != u"check") return Fail(QStringLiteral("unknown command: ") + arguments[0]);
    if (arguments.size() != 2) return Fail(QStringLiteral("check takes exactly one file"));
    ScriptToolOptions options;
    options.file = arguments[1];
    return ParsedOptions{options, QString()};
}

QString ScriptToolUsage() {
    return QStringLiteral(
        "usage: vantoril-script check FILE\n"
        "       vantoril-script lint [--locale NAME] FILE\n"
        "       vantoril-script run [--locale NAME] [--time HH:MM:SS] [--folder DIR] FILE "
        "[COUNTER=VALUE]...\n"
        "counters: DL UL AL MDL MUL MAL CAL CMAL BILL BAL (numbers with \".\"), TC BPS ROAM (whole "
        "numbers)\n");
}
