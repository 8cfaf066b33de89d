// SPDX-License-Identifier: GPL-3.0-or-later
// Text files are UTF-8; a line that is not valid UTF-8 was written on Windows (1251).
#pragma once

#include <QByteArray>
#include <QString>

inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Whether the bytes are valid UTF-8 (ASCII is).
bool IsUtf8(const QByteArray& bytes);
// One line: UTF-8 when valid, else Windows-1251.
QString DecodeLine(const QByteArray& line);
// A whole file without its UTF-8 byte-order mark: UTF-8 when valid, else each line (ended by
// LF, CR or CR LF, kept in the text) decoded by itself, so that one stray byte from another
// editor garbles only its own line.
QString DecodeText(const QByteArray& bytes);
