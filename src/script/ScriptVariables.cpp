// SPDX-License-Identifier: GPL-3.0-or-later
// The variables of one script run: two parallel lists of names and values.
#include "script/ScriptVariables.h"

void ScriptVariables::AddVar(const QString& name, const ScriptValue& value) {
    names_.append(name);
    values_.append(value);
}

const ScriptValue& ScriptVariables::GetVar(QStringView name) const {
    static const ScriptValue empty;
    for (qsizetype i = 0; i < names_.size(); ++i) {
        if (names_[i] == name) return values_[i];
    }
    return empty;
}

void ScriptVariables::SetVar(QStringView name, const ScriptValue& value) {
    for (qsizetype i = names_.size() - 1; i >= 0; --i) {
        if (names_[i] != name) continue;
        const QString found = names_[i];
        names_.removeAt(i);
        values_.removeAt(i);
        AddVar(found, value);
        return;
    }
}

void ScriptVariables::ClearVars() {
    names_.clear();
    values_.clear();
}
