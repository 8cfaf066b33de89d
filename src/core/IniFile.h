// SPDX-License-Identifier: GPL-3.0-or-later
// INI files with the private-profile behaviour: names without case, single-key updates
// in place, every other line kept byte for byte, atomic replacement on save.
#pragma once

#include "core/RegularFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The largest INI file read when the caller names no limit of its own.
inline constexpr qint64 kLargestIniFile = 16 * kMiB;

class IniFile {
public:
    // A missing file loads as empty. So does a file that cannot be read whole (no
    // permission, larger than `limit`, a pipe or folder in its place): ReadProblem() then
    // says why, and Save() refuses to replace it, since its keys would be lost.
    static IniFile Load(const QString& path, qint64 limit = kLargestIniFile);
    // The file's bytes. Each line is UTF-8 when valid, else Windows-1251; lines end with
    // CR LF, LF or a lone CR.
    static IniFile Parse(const QByteArray& bytes);

    // The value, trimmed, without one pair of enclosing quotes, cut to 254 characters;
    // the empty text for a missing section or key. The first of duplicates counts.
    QString Value(const QString& section, const QString& key) const;
    // The key names of a section in file order (empty when the section is missing).
    QStringList Keys(const QString& section) const;

    // Changes the key's line in place, or appends the key at the end of its section,
    // or appends the section at the end of the file.
    void SetValue(const QString& section, const QString& key, const QString& value);

    // Why the file could not be read; empty when it was read or is missing.
    const QString& ReadProblem() const { return readProblem_; }

    // The lines not set keep their bytes and line ends; set and new lines are UTF-8
    // ended by CR LF (a set line keeps its own line end).
    QByteArray Serialized() const;
    // Writes Serialized(), replacing the file atomically; refused when the file was not
    // read whole.
    [[nodiscard]] bool Save(const QString& path, QString* error = nullptr) const;

private:
    struct Line {
        QByteArray bytes;  // as read, without the line end; UTF-8 once set
        QByteArray end;    // "\r\n", "\n", "\r", or empty for an unended last line
        QString text;      // decoded
    };

    int FindSection(const QString& section) const;  // line index of the header, or -1
    int SectionEnd(int header) const;               // index of the next header or size
    int FindKey(int header, const QString& key) const;

    QByteArray byteOrderMark_;
    QList<Line> lines_;
    QString readProblem_;
};

// One-key helpers: each opens, works and closes the file.
QString ReadIni(const QString& section, const QString& key, const QString& file);
[[nodiscard]] bool WriteIni(const QString& section, const QString& key, const QString& value,
                            const QString& file, QString* error = nullptr);
