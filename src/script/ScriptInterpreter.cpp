// SPDX-License-Identifier: GPL-3.0-or-later
// The script interpreter: runs a script text once, line by line, against its host.
#include "script/ScriptInterpreter.h"

#include "core/Numbers.h"
#include "script/ScriptBuiltIns.h"
#include "script/ScriptCondition.h"
#include "script/ScriptInterval.h"
#include "script/ScriptLines.h"
#include "script/ScriptOperation.h"
#include "script/ScriptWords.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// Marks a run in progress and leaves the store empty however the run ends.
class RunScope {
public:
    RunScope(bool& running, ScriptVariables& vars) : running_(running), vars_(vars) {
        running_ = true;
        vars_.ClearVars();
    }
    ~RunScope() {
        vars_.ClearVars();
        running_ = false;
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    bool& running_;
    ScriptVariables& vars_;
};

ScriptFault LimitFault(const ScriptLimitBreach& breach) {
    const QString what =
        breach.kind == ScriptLimitBreach::Kind::TooManyLines
            ? QCoreApplication::translate("ScriptInterpreter", "В сценарии больше %1 строк")
                  .arg(kMaxScriptLines)
            : QCoreApplication::translate("ScriptInterpreter", "Строка %1 длиннее %2 символов")
                  .arg(breach.lineNumber)
                  .arg(kMaxScriptLineLength);
    return ScriptFault{
        int(ScriptFaultKind::Overflow),
        what + QCoreApplication::translate("ScriptInterpreter", "; сценарий не выполнен")};
}

}  // namespace

ScriptInterpreter::ScriptInterpreter(ScriptHost& host) : host_(host) {}

void ScriptInterpreter::SetCode(const QString& code) {
    code_ = code;
}

QString ScriptInterpreter::GetTypeName(QStringView word) {
    return IsNumberLiteral(word) ? QStringLiteral("integer") : QStringLiteral("string");
}

bool ScriptInterpreter::run() {
    if (running_) return false;
    const RunScope scope(running_, vars_);
    locale_ = host_.UserLocale();
    lineNumber_ = 0;
    runCode_ = code_;
    lines_ = SplitScriptLines(runCode_);
    if (const std::optional<ScriptLimitBreach> breach = FindLimitBreach(lines_)) {
        host_.ShowError(LimitFault(*breach));
        return true;
    }
    if (lines_.isEmpty()) return true;  // no script (the usual case) gathers no counters
    AddBuiltIns();
    for (const QStringView line : std::as_const(lines_)) {
        ++lineNumber_;
        if (DoLine(line) == Flow::Stop) break;
    }
    return true;
}

void ScriptInterpreter::AddBuiltIns() {
    const ScriptCounters counters = host_.Counters();
    QList<QStringView> declared;
    for (const QStringView line : std::as_const(lines_))
        if (const std::optional<QStringView> name = DeclaredName(line)) declared.append(*name);
    for (const BuiltInCounter& counter : kBuiltInCounters) {
        if (IsAddedBuiltIn(counter.name) && declared.contains(counter.name)) continue;
        const QString text = counter.fractional ? NumberText(counters.*counter.fractional, locale_)
                                                : QString::number(counters.*counter.whole);
        vars_.AddVar(counter.name.toString(), ScriptValue::Text(text));
    }
    QString folder = host_.ProgramFolderPath();
    if (!folder.endsWith(u'/')) folder.append(u'/');
    vars_.AddVar(kAppPathName.toString(), ScriptValue::Text(folder));
}

ScriptInterpreter::Flow ScriptInterpreter::DoLine(QStringView line) {
    if (line.startsWith(u';')) return Flow::Continue;
    const qsizetype blank = line.indexOf(u' ');
    if (blank >= 0 && MatchesKeyword(line.left(blank), u"if")) return DoIf(line.mid(blank + 1));
    if (const std::optional<QStringView> name = DeclaredName(line)) {
        vars_.AddVar(name->toString(), ScriptValue::Text(QString()));
        return Flow::Continue;
    }
    // A command line whose arguments hold "=" may run here and once more below.
    if (line.contains(u'=') && DoStatement(line) == Flow::Stop) return Flow::Stop;
    const qsizetype bracket = line.indexOf(u'(');
    if (bracket >= 0 && !line.left(bracket).contains(u' ')) CallFunction(line);
    return Flow::Continue;
}

ScriptInterpreter::Flow ScriptInterpreter::DoStatement(QStringView statement) {
    const qsizetype equals = statement.indexOf(u'=');
    if (equals >= 0) {
        const QStringView target = TrimBlanks(statement.left(equals));
        const QStringView expression = TrimBlanks(statement.mid(equals + 1));
        for (const QChar op : kOperatorPriority) {
            const qsizetype at = expression.indexOf(op);
            if (at < 0) continue;
            return DoOperation(target, TrimBlanks(expression.left(at)),
                               TrimBlanks(expression.mid(at + 1)), op);
        }
        if (expression.contains(u'(')) {
            vars_.SetVar(target, CallFunction(expression));
            return Flow::Continue;
        }
        // A copy: the first "#" right after the expression's first "=", or first of all.
        const qsizetype hash = expression.indexOf(u'#');
        if (hash >= 0 && hash == expression.indexOf(u'=') + 1)
            return DoCopy(target, TrimBlanks(expression.mid(hash + 1)));
    }
    const qsizetype bracket = statement.indexOf(u'(');
    if (bracket >= 0 && !statement.left(bracket + 2).contains(u'=') &&
        !statement.left(bracket + 1).contains(u' '))
        CallFunction(statement);
    return Flow::Continue;
}

ScriptInterpreter::Flow ScriptInterpreter::DoIf(QStringView condition) {
    const std::optional<ScriptCondition> cut = CutCondition(condition);
    if (!cut) return Flow::Continue;
    if (!CompareNumbers(OperandValue(cut->left), cut->comparison, OperandValue(cut->right)))
        return Flow::Continue;
    return DoStatement(cut->action);
}

ScriptInterpreter::Flow ScriptInterpreter::DoOperation(QStringView target, QStringView left,
                                                       QStringView right, QChar op) {
    const OperationOutcome outcome =
        ApplyOperation(OperandValue(left), op, OperandValue(right), locale_);
    if (outcome.fault) {
        Report(*outcome.fault);
        return Flow::Stop;
    }
    vars_.SetVar(target, outcome.value);
    return Flow::Continue;
}

ScriptInterpreter::Flow ScriptInterpreter::DoCopy(QStringView target, QStringView word) {
    const double value = OperandValue(word);
    if (!std::isfinite(value)) {
        Report(ScriptFaultKind::Overflow);
        return Flow::Stop;
    }
    vars_.SetVar(target, ScriptValue::Number(value));
    return Flow::Continue;
}

ScriptValue ScriptInterpreter::CallFunction(QStringView call) {
    const qsizetype open = call.indexOf(u'(');
    const qsizetype close = call.indexOf(u')');
    // No ")" or a ")" before the "(": no call at all.
    if (open < 0 || close < open) return ScriptValue();
    const QStringView arguments = call.mid(open + 1, close - open - 1);
    // Items are cut at "~"; no command uses more than the first one.
    std::optional<QString> firstItem;
    if (!arguments.isEmpty()) {
        const qsizetype tilde = arguments.indexOf(u'~');
        firstItem = ArgumentText(tilde < 0 ? arguments : arguments.left(tilde));
    }
    return RunCommand(TrimBlanks(call.left(open)), firstItem);
}

QString ScriptInterpreter::ArgumentText(QStringView item) const {
    if (item.contains(u'\'')) return item.toString().remove(u'\'');
    if (IsNumberLiteral(item)) return item.toString();
    return vars_.GetVar(item).ToText(locale_);
}

ScriptValue ScriptInterpreter::RunCommand(QStringView name,
                                          const std::optional<QString>& firstItem) {
    if (MatchesKeyword(name, u"time")) return ScriptValue::TimeOfDay(TimeNow());
    if (MatchesKeyword(name, u"hour")) return ScriptValue::WholeNumber(TimeNow().hour());
    if (MatchesKeyword(name, u"mins")) return ScriptValue::WholeNumber(TimeNow().minute());
    if (MatchesKeyword(name, u"disconn")) {
        host_.HangUpLink();
        return ScriptValue();
    }
    // The other commands need an argument; without one they do nothing and say nothing.
    if (!firstItem) return ScriptValue();
    if (MatchesKeyword(name, u"message")) host_.SetMessageText(TrimBlanks(*firstItem).toString());
    if (MatchesKeyword(name, u"timer_refresh"))
        RunTimerCommand(*firstItem, &ScriptHost::SetRefreshInterval);
    if (MatchesKeyword(name, u"timer_script"))
        RunTimerCommand(*firstItem, &ScriptHost::SetScriptInterval);
    return ScriptValue();
}

void ScriptInterpreter::RunTimerCommand(const QString& item, void (ScriptHost::*setInterval)(int)) {
    const IntervalOutcome interval = ReadInterval(item);
    if (interval.fault) {
        Report(*interval.fault);
        return;
    }
    (host_.*setInterval)(interval.milliseconds);
}

QTime ScriptInterpreter::TimeNow() const {
    return host_.LocalClock().Now().time();
}

double ScriptInterpreter::OperandValue(QStringView word) const {
    if (const std::optional<double> literal = LiteralValue(word)) return *literal;
    return vars_.GetVar(word).ToNumber(locale_);
}

void ScriptInterpreter::Report(ScriptFaultKind kind) {
    host_.ShowError(MakeFault(kind, lineNumber_));
}
