// Loading and saving the script file for the script editor.
#include "windows/ScriptFile.h"

#include "shell/AtomicFile.h"
#include "shell/ProgramFolder.h"
#include "shell/TextDecoding.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

QString EditorTextFromFile(const QByteArray& bytes) {
    QString text = DecodeText(bytes);
    text.replace(kCrLf, QStringLiteral("\n"));
    return text;
}

QString FileTextFromEditor(const QString& editorText) {
    QString text = editorText;
    text.replace(u'\n', kCrLf);
    if (!text.isEmpty() && !text.endsWith(kCrLf)) text += kCrLf;
    return text;
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
