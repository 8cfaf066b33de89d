// Loading and saving the script file for the script editor.
#include "windows/ScriptFile.h"

#include "script/ScriptLines.h"
#include "shell/AtomicFile.h"
#include "shell/ProgramFolder.h"
#include "shell/TextDecoding.h"

#include <QFile>
#include <QFileInfo>
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

bool LoadScript(const ProgramFolder& folder, QString* editorText, QString* error) {
    const QString path = folder.AppFilePath(kScriptFile);
    editorText->clear();
    if (!QFileInfo::exists(path)) return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error =
                QStringLiteral("Не удалось прочитать файл «%1»: %2").arg(path, file.errorString());
        return false;
    }
    *editorText = EditorTextFromFile(file.readAll());
    return true;
}

bool SaveScript(const ProgramFolder& folder, const QString& editorText, QString* error) {
    return ReplaceFileAtomically(folder.AppFilePath(kScriptFile),
                                 FileTextFromEditor(editorText).toUtf8(), error);
}
