// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of vantoril-history.
#include "tools/vantoril-history/HistoryToolOptions.h"

namespace {

ParsedHistoryOptions Fail(const QString& error) {
    return ParsedHistoryOptions{std::nullopt, error, false};
}

std::optional<HistoryToolOptions::Command> CommandNamed(const QString& name) {
    if (name == u"connections") return HistoryToolOptions::Command::Connections;
    if (name == u"days") return HistoryToolOptions::Command::Days;
    if (name == u"period") return HistoryToolOptions::Command::Period;
    return std::nullopt;
}

// Applies one option with its value; an error text when it is wrong.
QString SetOption(HistoryToolOptions& options, const QString& option, const QString& value) {
    if (option == u"--folder") {
        options.folder = value;
    } else if (option == u"--format") {
        if (value == u"table")
            options.format = HistoryToolOptions::Format::Table;
        else if (value == u"csv")
            options.format = HistoryToolOptions::Format::Csv;
        else if (value == u"json")
            options.format = HistoryToolOptions::Format::Json;
        else
            return QStringLiteral("the format is table, csv or json, not: ") + value;
    } else if (option == u"--from" || option == u"--to") {
        const QDate day = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid())
            return option + QStringLiteral(" takes a date YYYY-MM-DD, not: ") + value;
        (option == u"--from" ? options.from : options.to) = day;
    } else {
        return QStringLiteral("unknown option: ") + option;
    }
    return QString();
}

}  // namespace

ParsedHistoryOptions ParseHistoryToolOptions(const QStringList& arguments) {
    HistoryToolOptions options;
    std::optional<HistoryToolOptions::Command> command;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--help" || argument == u"-h") return {std::nullopt, QString(), true};
        if (argument.startsWith(QStringLiteral("--"))) {
            if (i + 1 >= arguments.size()) return Fail(argument + QStringLiteral(" needs a value"));
            const QString error = SetOption(options, argument, arguments[++i]);
            if (!error.isEmpty()) return Fail(error);
        } else if (!command) {
            command = CommandNamed(argument);
            if (!command) return Fail(QStringLiteral("unknown command: ") + argument);
        } else {
            return Fail(QStringLiteral("one command at a time, not also: ") + argument);
        }
    }
    if (!command) return Fail(QStringLiteral("no command given"));
    options.command = *command;
    if ((options.from || options.to) && options.command == HistoryToolOptions::Command::Period)
        return Fail(QStringLiteral("period takes no --from or --to"));
    if (options.from && options.to && *options.from > *options.to)
        return Fail(QStringLiteral("--from is after --to"));
    return {options, QString(), false};
}

QString HistoryToolUsage() {
    return QStringLiteral(
        "usage: vantoril-history [--folder DIR] COMMAND [--format table|csv|json]\n"
        "commands:\n"
        "  connections [--from YYYY-MM-DD] [--to YYYY-MM-DD]  one row per connection\n"
        "  days [--from YYYY-MM-DD] [--to YYYY-MM-DD]         one row per day (default: the"
        " current period)\n"
        "  period                                             the current billing period\n");
}
