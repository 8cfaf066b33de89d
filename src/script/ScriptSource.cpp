// SPDX-License-Identifier: GPL-3.0-or-later
// A file change watch in front of the script file's reading.
#include "script/ScriptSource.h"

#include "core/ProgramFolder.h"
#include "script/ScriptFile.h"

ScriptSource::ScriptSource(const ProgramFolder& folder)
    : folder_(folder), file_(folder.AppFilePath(QString::fromLatin1(kScriptFile))) {}

const QString& ScriptSource::Text() {
    if (file_.Changed()) text_ = ScriptToRun(folder_);
    return text_;
}
