// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the script file for the timer, loading and saving it for the editor.
#include "script/ScriptFile.h"

#include "core/AtomicFile.h"
#include "core/FileNotices.h"
#include "core/ProgramFolder.h"
#include "core/TextDecoding.h"
#include "script/ScriptLines.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// How the editor shows a line feed or a carriage return that does not end a line, so
// that its line numbers stay those of the checker and the interpreter.
constexpr QChar kFeedInLine = QChar::LineSeparator;  // shown as a break, same line number
constexpr QChar kReturnInLine = u'\u240D';           // the symbol for a carriage return

}  // namespace

QString EditorTextFromFile(const QByteArray& bytes) {
    const QString text = DecodeText(bytes);
    QStringList lines;
    for (const QStringView line : SplitScriptLines(text)) {
        QString shown = line.toString();
        shown.replace(u'\n', kFeedInLine).replace(u'\r', kReturnInLine);
        lines.append(shown);
    }
    return lines.join(u'\n');
}

QString FileTextFromEditor(const QString& editorText) {
    QString text = editorText;
    text.replace(u'\n', kCrLf);
    if (!text.isEmpty() && !text.endsWith(kCrLf)) text += kCrLf;
    return text.replace(kFeedInLine, u'\n').replace(kReturnInLine, u'\r');
}

RegularFile ReadScriptFile(const ProgramFolder& folder) {
    return ReadRegularFile(folder.AppFilePath(kScriptFile), kScriptFileLimit);
}

QString ScriptToRun(const ProgramFolder& folder) {
    const RegularFile file = ReadScriptFile(folder);
    NoticeFileProblem(file.error);
    return DecodeText(file.bytes);
}

bool LoadScript(const ProgramFolder& folder, QString* editorText, QString* error) {
    const RegularFile file = ReadScriptFile(folder);
    *editorText = EditorTextFromFile(file.bytes);
    if (file.MayReplace()) return true;
    if (error) *error = file.error;
    return false;
}

bool SaveScript(const ProgramFolder& folder, const QString& editorText, QString* error) {
    // A script that could not be read is not replaced by one the user never saw.
    const RegularFile old = ReadScriptFile(folder);
    if (!old.MayReplace()) {
        if (error)
            *error = old.error + QCoreApplication::translate("ScriptFile", " Файл не изменён.");
        return false;
    }
    return ReplaceFileAtomically(folder.AppFilePath(kScriptFile),
                                 FileTextFromEditor(editorText).toUtf8(), error);
}
