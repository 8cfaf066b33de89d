// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window "Настройки программы": indicator, notifications, tariff and
// miscellaneous settings, and the way to the tariff and script editors.
#pragma once

#include "core/ProgramFolder.h"
#include "core/TwipsScale.h"
#include "settings/Autostart.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QScrollBar;
struct Settings;

// The window is never closed while the program runs: a close request hides it. "ОК",
// "Отмена" and Escape end in a close request too, so an event filter that keeps the window
// in reach (minimised where there is no tray) sees every way of leaving it. Every
// activation (being shown, or getting the focus back from another window of the
// program) reloads the controls from "inet.conf", so unsaved changes are dropped.
class SettingsWindow : public QWidget {
    Q_OBJECT

public:
    // `settings` is the program's settings record: it is refilled at each activation and
    // its flags are taken from the check boxes on "ОК".
    SettingsWindow(Settings& settings, ProgramFolder folder, Autostart autostart,
                   QWidget* parent = nullptr);

    // Shows the window with the stored values, raised and active (tray menu, double click
    // on the tray icon, start-up).
    void ShowSettings();
    // Lets the next close request really close the window (program exit, session end).
    void AllowClose();

Q_SIGNALS:
    // Both are handled by opening the editor modally, owned by this window, and returning
    // once it has closed; the window then reloads its controls.
    void tariffEditorRequested();
    void scriptEditorRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FitScale();
    void BuildIndicatorGroup();
    void BuildNotificationGroup();
    void BuildTariffGroup();
    void BuildMiscGroup();
    void BuildButtons();

    void Reload();
    bool SaveControls();  // false, after telling the user, when the file was not saved
    void AcceptSettings();
    void EditTariff();
    void EditScript();

    Settings& settings_;
    ProgramFolder folder_;
    Autostart autostart_;
    TwipsScale scale_;
    bool closeAllowed_ = false;

    QScrollBar* transparencyBar_ = nullptr;
    QCheckBox* autoShowBox_ = nullptr;
    QCheckBox* hideAtStartBox_ = nullptr;
    QCheckBox* autostartBox_ = nullptr;
    QCheckBox* activityMonitorBox_ = nullptr;
    QComboBox* tariffTypeList_ = nullptr;
    QPushButton* okButton_ = nullptr;
};
