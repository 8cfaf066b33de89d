// SPDX-License-Identifier: GPL-3.0-or-later
// What a lint pass carries from line to line: the line, the warnings found, and which
// variables are declared and read where.
#include "script/LintContext.h"

#include "script/ScriptBuiltIns.h"
#include "script/ScriptWords.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

namespace {

// A name a script author could mean as one word: no blanks, no signs of the language.
bool IsPlainName(QStringView name) {
    if (name.isEmpty()) return false;
    for (const QChar c : name)
        if (QStringView(u" =()'#~+-&/*^;\"<>").contains(c)) return false;
    return true;
}

}  // namespace

QString Quoted(QStringView text) {
    return QCoreApplication::translate("LintContext", "«%1»", "a name quoted in a warning")
        .arg(text);
}

bool IsFractionalBuiltIn(QStringView name) {
    for (const BuiltInCounter& counter : kBuiltInCounters)
        if (counter.name == name) return counter.fractional != nullptr;
    return false;
}

bool IsBuiltIn(QStringView name) {
    for (const BuiltInCounter& counter : kBuiltInCounters)
        if (counter.name == name) return true;
    return name == kAppPathName;
}

LintContext::LintContext(QLocale locale) : decimalComma_(locale.decimalPoint() == u",") {}

void LintContext::StartLine(int number) {
    line_ = number;
    conditional_ = false;
}

void LintContext::Warn(const QString& text) {
    warnings_.append(LintWarning{line_, text});
}

bool LintContext::Known(QStringView name) const {
    return IsBuiltIn(name) || declared_.contains(name.toString());
}

void LintContext::Declare(QStringView name) {
    const QString key = name.toString();
    if (IsAddedBuiltIn(name)) {
        Warn(QCoreApplication::translate(
                 "LintContext",
                 "%1 — встроенная переменная программы: объявленная в сценарии, она "
                 "заменяет встроенную во всём сценарии, и %1 хранит уже значение "
                 "сценария")
                 .arg(Quoted(name)));
    } else if (IsBuiltIn(name)) {
        Warn(QCoreApplication::translate(
                 "LintContext",
                 "%1 — встроенная переменная: чтение по-прежнему видит встроенное "
                 "значение, а присваивание меняет новую переменную")
                 .arg(Quoted(name)));
    } else if (declared_.contains(key)) {
        Warn(QCoreApplication::translate(
                 "LintContext",
                 "%1 уже объявлена в строке %2: чтение видит первую переменную, "
                 "присваивание меняет последнюю")
                 .arg(Quoted(name), QString::number(declared_.value(key))));
    } else if (!IsPlainName(name)) {
        Warn(QCoreApplication::translate(
                 "LintContext",
                 "«var» объявляет имя %1 целиком, со всеми пробелами и знаками; "
                 "значение задаётся отдельной строкой: «x = #5»")
                 .arg(Quoted(name)));
    }
    if (!declared_.contains(key)) declared_.insert(key, line_);
    vars_.append({key, line_});
}

void LintContext::Read(QStringView name) {
    lastRead_.insert(name.toString(), line_);
    if (Known(name)) return;
    const QStringView trimmed = TrimBlanks(name);
    if (trimmed != name && Known(trimmed)) {
        Warn(QCoreApplication::translate(
                 "LintContext",
                 "%1 с пробелами — другое имя, чем %2: имена сравниваются вместе "
                 "с пробелами, и читается пустое значение")
                 .arg(Quoted(name), Quoted(trimmed)));
        return;
    }
    Warn(QCoreApplication::translate(
             "LintContext",
             "%1 читается, но до этой строки не объявлена («var %2»): её значение "
             "пусто и читается как 0")
             .arg(Quoted(name), trimmed.toString()));
}

void LintContext::Assign(QStringView target, std::optional<double> copied) {
    const QString key = target.toString();
    const bool first = !constants_.contains(key);
    constants_.insert(key, first && copied && !conditional_ ? copied : std::nullopt);
    if (Known(target)) return;
    Warn(QCoreApplication::translate(
             "LintContext",
             "%1 не объявлена до этой строки («var %2»): присваивание ничего не "
             "сохранит")
             .arg(Quoted(target), target.toString()));
}

std::optional<double> LintContext::Constant(QStringView name) const {
    return constants_.value(name.toString(), std::nullopt);
}

QList<LintWarning> LintContext::Finish() {
    for (const auto& [name, line] : std::as_const(vars_)) {
        // A shadowed built-in of the language is warned about where it is declared; reads
        // see the built-in.
        if (lastRead_.value(name, 0) > line || (IsBuiltIn(name) && !IsAddedBuiltIn(name))) continue;
        warnings_.append(LintWarning{
            line,
            QCoreApplication::translate("LintContext", "%1 объявлена, но дальше нигде не читается")
                .arg(Quoted(name))});
    }
    std::stable_sort(warnings_.begin(), warnings_.end(),
                     [](const LintWarning& a, const LintWarning& b) { return a.line < b.line; });
    QList<LintWarning> unique;
    QSet<QPair<int, QString>> seen;
    for (const LintWarning& warning : std::as_const(warnings_)) {
        if (seen.contains({warning.line, warning.text})) continue;
        seen.insert({warning.line, warning.text});
        unique.append(warning);
    }
    return unique;
}
