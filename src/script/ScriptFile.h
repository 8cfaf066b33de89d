// SPDX-License-Identifier: GPL-3.0-or-later
// The script file "script.vsc" as the script timer reads it and the editor reads and writes it.
#pragma once

#include "core/RegularFile.h"

#include <QByteArray>
#include <QString>

class ProgramFolder;

inline constexpr char kScriptFile[] = "script.vsc";
// The script's line limits would allow a file of gigabytes, read again every few seconds;
// a file over this size is not read, nor rewritten.
inline constexpr qint64 kScriptFileLimit = 16 * kMiB;

// The script file as the timer and the editor read it: bounded, regular files only.
[[nodiscard]] RegularFile ReadScriptFile(const ProgramFolder& folder);
// The script the timer runs: the file's text, UTF-8 or else Windows-1251 line by line. A
// missing file, or one that cannot be read, runs as the empty script; the user is told
// once why it could not be read.
QString ScriptToRun(const ProgramFolder& folder);

// The editor's text has "\n" line ends; the file has CR LF. The file is cut into lines as
// the interpreter cuts it; a line feed or carriage return inside a line is shown as a
// line separator (U+2028) or as the symbol U+240D, and saved back as it was.
QString EditorTextFromFile(const QByteArray& bytes);
// The file's text: every line end CR LF and a final CR LF when the text lacks one, so
// saving a loaded text again never grows the file. The empty text stays empty.
QString FileTextFromEditor(const QString& editorText);

// Reads the script for the editor. A missing file is an empty script; a file that
// exists but cannot be read whole gives false and `error`.
[[nodiscard]] bool LoadScript(const ProgramFolder& folder, QString* editorText, QString* error);
// Replaces the script file whole (created when missing) with the editor's text as UTF-8;
// refused, the file kept, when the file there could not be read whole.
[[nodiscard]] bool SaveScript(const ProgramFolder& folder, const QString& editorText,
                              QString* error);
