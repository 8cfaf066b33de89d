// SPDX-License-Identifier: GPL-3.0-or-later
// The variables of one script run: two parallel lists of names and values.
#pragma once

#include "script/ScriptValue.h"

#include <QList>
#include <QString>
#include <QStringView>

// Names are compared exactly (case and blanks count) and may repeat. Reads search from
// the front and writes from the back, so with a repeated name reads see the oldest
// variable and writes change the newest one. Positions are plain ints: the store has no
// 16-bit limit on the number of variables.
class ScriptVariables {
public:
    // Appends the pair; never looks for an existing variable of that name.
    void AddVar(const QString& name, const ScriptValue& value);
    // The value of the first variable of that name; the empty value when there is none.
    const ScriptValue& GetVar(QStringView name) const;
    // Removes the last variable of that name and appends it again with the new value;
    // does nothing when there is no variable of that name.
    void SetVar(QStringView name, const ScriptValue& value);
    void ClearVars();

    qsizetype Count() const { return names_.size(); }
    const QString& NameAt(qsizetype position) const { return names_[position]; }  // from 0
    const ScriptValue& ValueAt(qsizetype position) const { return values_[position]; }

private:
    // Invariant: both lists have the same length; one position is one variable.
    QList<QString> names_;
    QList<ScriptValue> values_;
};
