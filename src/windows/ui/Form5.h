// The script editor: loads "script.vsc", saves it and checks its syntax on request.
#pragma once

#include "shell/ProgramFolder.h"

#include <QDialog>

#include <memory>

class clsCheckSyntax;
class LineNumberedEdit;
class QLabel;

class Form5 : public QDialog {
    Q_OBJECT

public:
    // Loads the script; a file that cannot be read is reported below the text.
    explicit Form5(ProgramFolder folder, QWidget* parent = nullptr);
    ~Form5() override;

private:
    void BuildButtons();
    void Save();  // "Сохранить": the window stays open
    void Check();  // "Проверка синтаксиса": the report below, the cursor on its line

    ProgramFolder folder_;
    LineNumberedEdit* text1_;
    QLabel* label1_;
    std::unique_ptr<clsCheckSyntax> checker_;  // made at the first check
};
