// SPDX-License-Identifier: GPL-3.0-or-later
// Writes, reads and removes the XDG autostart entry of the program.
#include "settings/Autostart.h"

#include "core/AtomicFile.h"
#include "core/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

namespace {

constexpr char kEntryGroup[] = "[Desktop Entry]";
// A hand-made file larger than any desktop entry is not ours and is not read whole.
constexpr qint64 kLargestEntry = 64 * 1024;

// Characters that oblige an Exec argument to be quoted (besides white space).
bool NeedsQuotes(const QString& argument) {
    static const QString kReserved = QStringLiteral("\"'\\<>~|&;$*?#()`");
    for (const QChar c : argument)
        if (c.isSpace() || kReserved.contains(c)) return true;
    return argument.isEmpty();
}

// One argument of an Exec line: quoted when needed, with `"`, backtick, `$` and `\`
// escaped inside the quotes, and `%` doubled since a single one starts a field code.
QString QuoteExecArgument(const QString& argument) {
    QString quoted;
    for (const QChar c : argument) {
        if (c == '%')
            quoted += QStringLiteral("%%");
        else if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += QChar('\\') + c;
        else
            quoted += c;
    }
    return NeedsQuotes(argument) ? '"' + quoted + '"' : quoted;
}

// The string escapes of desktop entry values, applied after the Exec quoting.
QString EscapeValue(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        if (c == '\\')
            escaped += QStringLiteral("\\\\");
        else if (c == '\n')
            escaped += QStringLiteral("\\n");
        else if (c == '\t')
            escaped += QStringLiteral("\\t");
        else if (c == '\r')
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

QString UnescapeValue(const QString& value) {
    QString plain;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            plain += value[i];
            continue;
        }
        const QChar next = value[++i];
        if (next == 's')
            plain += ' ';
        else if (next == 'n')
            plain += '\n';
        else if (next == 't')
            plain += '\t';
        else if (next == 'r')
            plain += '\r';
        else
            plain += next;
    }
    return plain;
}

// Splits an unescaped Exec value into its arguments; nothing when the quoting is broken
// or the line holds a field code (our own entry never has one).
std::optional<QStringList> SplitExec(const QString& exec) {
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == '%') {
            if (i + 1 == exec.size() || exec[i + 1] != '%') return std::nullopt;
            current += c;
            ++i;
            inArgument = true;
        } else if (quoted) {
            if (c == '"')
                quoted = false;
            else if (c == '\\' && i + 1 < exec.size())
                current += exec[++i];
            else
                current += c;
        } else if (c == '"') {
            quoted = inArgument = true;
        } else if (c == ' ') {
            if (inArgument) arguments << current;
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted) return std::nullopt;
    if (inArgument) arguments << current;
    return arguments;
}

// The keys of the [Desktop Entry] group (names are case-sensitive; the first of
// duplicates counts), values unescaped.
QHash<QString, QString> ReadEntryGroup(const QString& text) {
    QHash<QString, QString> keys;
    bool inGroup = false;
    for (const QString& rawLine : text.split('\n')) {
        const QString line = rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine;
        if (line.startsWith('[')) {
            inGroup = line == QLatin1String(kEntryGroup);
            continue;
        }
        const int equals = line.indexOf('=');
        if (!inGroup || line.startsWith('#') || equals < 0) continue;
        const QString key = line.left(equals).trimmed();
        if (!keys.contains(key)) keys.insert(key, UnescapeValue(line.mid(equals + 1).trimmed()));
    }
    return keys;
}

}  // namespace

Autostart::Autostart(QString programPath, QString configFolder)
    : programPath_(std::move(programPath)), configFolder_(std::move(configFolder)) {}

Autostart Autostart::ForRunningProgram() {
    return Autostart(QCoreApplication::applicationFilePath(),
                     QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString Autostart::EntryPath() const {
    return configFolder_ + "/autostart/Vantoril.desktop";
}

bool Autostart::EnableAutostart() const {
    if (configFolder_.isEmpty() || !QDir().mkpath(QFileInfo(EntryPath()).path())) return false;
    const QString entry = QLatin1String(kEntryGroup) +
                          "\n"
                          "Type=Application\n"
                          "Name=Vantoril\n"
                          "Comment=Traffic and cost meter of the network connection\n"
                          "Exec=" +
                          EscapeValue(QuoteExecArgument(programPath_)) +
                          "\n"
                          "Terminal=false\n"
                          // Started after the panel where the desktop can be asked to, so
                          // the tray icon finds its notification area at once.
                          "X-GNOME-Autostart-Phase=Applications\n"
                          "X-GNOME-Autostart-Delay=2\n"
                          "X-KDE-autostart-after=panel\n"
                          "X-LXQt-Need-Tray=true\n"
                          "X-MATE-Autostart-Delay=2\n";
    return ReplaceFileAtomically(EntryPath(), entry.toUtf8());
}

bool Autostart::DisableAutostart() const {
    if (configFolder_.isEmpty()) return false;
    QFile entry(EntryPath());
    return !entry.exists() || entry.remove();
}

bool Autostart::IsAutostartEnabled() const {
    if (configFolder_.isEmpty()) return false;
    const RegularFile file = ReadRegularFile(EntryPath(), kLargestEntry);
    if (!file.IsRead()) return false;
    const QHash<QString, QString> keys = ReadEntryGroup(QString::fromUtf8(file.bytes));
    // Hidden=true is the desktops' common way to switch an entry off, the other key GNOME's.
    if (keys.value("Type") != "Application" || keys.value("Hidden") == "true" ||
        keys.value("X-GNOME-Autostart-enabled") == "false")
        return false;
    const std::optional<QStringList> arguments = SplitExec(keys.value("Exec"));
    return arguments && arguments->size() == 1 && arguments->front() == programPath_;
}
