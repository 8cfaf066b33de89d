// SPDX-License-Identifier: GPL-3.0-or-later
// The script editor: loads "script.vsc", saves it and checks its syntax on request.
#pragma once

#include "core/ProgramFolder.h"
#include "core/TwipsScale.h"

#include <QDialog>
#include <QLocale>

#include <memory>

class SyntaxChecker;
class LineNumberedEdit;
class QLabel;
class QListWidget;
class QListWidgetItem;
struct SyntaxReport;

class ScriptEditor : public QDialog {
    Q_OBJECT

public:
    // Loads the script; a file that cannot be read is reported below the text. The
    // locale is the one scripts run in: the check's warnings depend on it.
    explicit ScriptEditor(ProgramFolder folder, QWidget* parent = nullptr,
                          QLocale locale = QLocale::system());
    ~ScriptEditor() override;

private:
    void FitScale();  // stretches the layout until every caption shows whole
    void BuildButtons();
    void Save();  // "Сохранить": the window stays open
    void Check();  // "Проверка синтаксиса": the report below, the cursor on its line
    // The check's fault and the lint's warnings in a list under the report; the window
    // grows to show it only while there are any, so that it otherwise keeps its fixed size.
    void ShowWarnings(const QString& code, const SyntaxReport& report);
    int WarningsHeight() const;  // pixels for the whole list, within reason
    void GoToWarning(QListWidgetItem* item);
    void OpenHelp();  // "Справка" and F1

    ProgramFolder folder_;
    TwipsScale scale_;
    LineNumberedEdit* scriptField_;
    QLabel* reportLabel_;
    QListWidget* warnings_;
    QLocale locale_;
    std::unique_ptr<SyntaxChecker> checker_;  // made at the first check
};
