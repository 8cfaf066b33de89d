// SPDX-License-Identifier: GPL-3.0-or-later
// Where a connection's statistics live, and its name made safe as a file name.
#pragma once

#include <QDate>
#include <QString>

inline constexpr char kConnectionsFolder[] = "connections";
inline constexpr char kStatisticSection[] = "Statistic";
inline constexpr char kStatisticExtension[] = ".vlg";

// The longest statistics file name in bytes: the file system's 255 less the 7 that the
// temporary file beside it needs while a booking is saved.
inline constexpr int kMaxStatisticFileNameBytes = 248;

// The connection's statistics file inside "connections": EncodeConnectionName(name)
// followed by ".vlg", always, so that "Foo.vlg" and "Foo" keep apart.
QString ConnectionFileName(const QString& name);

// The connection's name as the base name of its statistics file. Plain names stay as they
// are; "%", "/", NUL and a leading "." (which would make "." and ".." or a hidden file)
// become "%25", "%2F", "%00" and "%2E", so no name can leave the folder "connections".
// The empty name becomes "%(без имени)". A name whose file name would pass
// kMaxStatisticFileNameBytes keeps as much of its start as fits, followed by "%~" and 16
// hexadecimal digits of a hash of the whole name: the same name always gets the same file.
QString EncodeConnectionName(const QString& name);

// The name the user recognises for a base name: the reverse of EncodeConnectionName for a
// whole name, "(без имени)" for the empty one, the kept start and "…" for a shortened
// one. Any other "%" sequence is kept as it stands.
QString DecodeConnectionName(const QString& baseName);

// "MM.YYYY": the key of the calendar month a booking goes to.
QString StatisticMonthKey(const QDate& date);
