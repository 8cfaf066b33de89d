// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window: loads the controls from the settings file on activation and
// stores them on "ОК".
#include "settings/ui/SettingsWindow.h"

#include "core/Settings.h"
#include "core/TwipsScale.h"
#include "core/ui/ActivationWatch.h"
#include "core/ui/WindowLook.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

namespace {

QGroupBox* AddGroup(QWidget* window, const QString& caption, const QRect& geometry) {
    auto* group = new QGroupBox(caption, window);
    group->setGeometry(geometry);
    return group;
}

// A named control with a caption, placed in its parent; `description` says what it sets
// or does, for screen readers.
template <typename Control>
Control* AddControl(QWidget* parent, const char* name, const QString& caption,
                    const QRect& geometry, const QString& description) {
    auto* control = new Control(caption, parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    control->setAccessibleDescription(description);
    return control;
}

// A caption above the control it names (the control's accessible name, too).
QLabel* AddLabel(QWidget* group, const QString& text, const QRect& geometry,
                 QWidget* named = nullptr) {
    auto* label = new QLabel(text, group);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setBuddy(named);
    return label;
}

// Captions measured before the controls exist; translated where they are used.
const char* const kShowAutomatically =
    QT_TRANSLATE_NOOP("SettingsWindow", "Показывать автоматически");
const char* const kActivityMonitor = QT_TRANSLATE_NOOP("SettingsWindow", "Монитор активности");
const char* const kHideAtStart = QT_TRANSLATE_NOOP("SettingsWindow", "Скрывать при запуске");
const char* const kAutostart = QT_TRANSLATE_NOOP("SettingsWindow", "Автозагрузка");
const char* const kByTraffic = QT_TRANSLATE_NOOP("SettingsWindow", "Траффик, оплата за 1 Мб");
const char* const kByTime = QT_TRANSLATE_NOOP("SettingsWindow", "Время, оплата за 1 час");
const char* const kEditScript = QT_TRANSLATE_NOOP("SettingsWindow", "Редактировать скрипт");
const char* const kEditTariff = QT_TRANSLATE_NOOP("SettingsWindow", "Редактировать тариф");

// A flag shows as ticked only when it is exactly 1, the value that switches it on.
bool IsOn(int16_t flag) {
    return flag == 1;
}

}  // namespace

SettingsWindow::SettingsWindow(Settings& settings, ProgramFolder folder, Autostart autostart,
                               QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      settings_(settings),
      folder_(std::move(folder)),
      autostart_(std::move(autostart)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Настройки программы"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(tr("Индикатор, оповещения, тариф и запуск программы"));
    setWindowIcon(ProgramIcon());
    UseDialogFont(*this);
    FitScale();
    setFixedSize(scale_.Length(5640), scale_.Length(2925));
    BuildIndicatorGroup();
    BuildNotificationGroup();
    BuildTariffGroup();
    BuildMiscGroup();
    BuildButtons();
    // The scroll bar would take the Menu key for its own menu; the program's menu is
    // meant there, so the window opens on the first check box.
    autoShowBox_->setFocus();
    CentreOnScreen(*this);
    connect(new ActivationWatch(*this), &ActivationWatch::returnedFromOtherWindow, this,
            &SettingsWindow::Reload);
}

void SettingsWindow::FitScale() {
    // Every control inside a group box is 2415 twips wide; each is asked, in the
    // window's font, how wide it wants to be.
    const auto fit = [this](QWidget& probe) {
        probe.setFont(font());
        scale_.Fit(probe.sizeHint().width(), 2415);
    };
    for (const char* caption : {kShowAutomatically, kActivityMonitor, kHideAtStart, kAutostart}) {
        QCheckBox check(tr(caption));
        fit(check);
    }
    for (const char* caption : {kEditScript, kEditTariff}) {
        QPushButton button(tr(caption));
        fit(button);
    }
    QComboBox list;
    list.addItems({tr(kByTraffic), tr(kByTime)});
    fit(list);
}

void SettingsWindow::BuildIndicatorGroup() {
    QGroupBox* group = AddGroup(this, tr("Настройка индикатора"), scale_.Rect(120, 0, 2655, 1395));
    transparencyBar_ = new QScrollBar(Qt::Horizontal, group);
    transparencyBar_->setObjectName("HS");
    transparencyBar_->setRange(0, 255);
    transparencyBar_->setGeometry(scale_.Rect(120, 480, 2415, 255));
    transparencyBar_->setFocusPolicy(Qt::StrongFocus);  // scroll bars are left out of the Tab chain
    transparencyBar_->setInvertedControls(false);       // the right arrow moves the thumb right
    transparencyBar_->setAccessibleName(tr("Прозрачность"));
    transparencyBar_->setAccessibleDescription(
        tr("Прозрачность индикатора: 0 — совсем прозрачный, 255 — непрозрачный"));
    AddLabel(group, tr("Прозрачность:"), scale_.Rect(120, 240, 2415, 240), transparencyBar_);
    autoShowBox_ = AddControl<QCheckBox>(group, "Check1", tr(kShowAutomatically),
                                         scale_.Rect(120, 730, 2415, 255),
                                         tr("Показывать индикатор, пока соединение установлено"));
    activityMonitorBox_ = AddControl<QCheckBox>(group, "Check4", tr(kActivityMonitor),
                                                scale_.Rect(120, 1080, 2415, 255),
                                                tr("Показывать в индикаторе график активности"));
}

void SettingsWindow::BuildNotificationGroup() {
    QGroupBox* group = AddGroup(this, tr("Настройка оповещений"), scale_.Rect(2880, 0, 2655, 1395));
    AddLabel(group, tr("Для создания оповещений используются скрипты."),
             scale_.Rect(120, 240, 2415, 480));
    QPushButton* edit = AddControl<QPushButton>(group, "Command1", tr(kEditScript),
                                                scale_.Rect(120, 840, 2415, 375),
                                                tr("Открыть редактор скрипта оповещений"));
    connect(edit, &QPushButton::clicked, this, &SettingsWindow::EditScript);
}

void SettingsWindow::BuildTariffGroup() {
    QGroupBox* group = AddGroup(this, tr("Настройка тарифа"), scale_.Rect(120, 1440, 2655, 1395));
    tariffTypeList_ = new QComboBox(group);
    tariffTypeList_->setObjectName("Combo1");
    tariffTypeList_->addItem(tr(kByTraffic));
    tariffTypeList_->addItem(tr(kByTime));
    tariffTypeList_->setGeometry(scale_.Rect(120, 480, 2415, 315));
    tariffTypeList_->setAccessibleName(tr("Тип тарификации"));
    tariffTypeList_->setAccessibleDescription(
        tr("Оплата за мегабайт траффика или за час соединения"));
    AddLabel(group, tr("Тип тарификации:"), scale_.Rect(120, 240, 2415, 240), tariffTypeList_);
    QPushButton* edit = AddControl<QPushButton>(
        group, "Command2", tr(kEditTariff), scale_.Rect(120, 840, 2415, 375),
        tr("Сохранить выбранный тип тарификации и открыть редактор тарифа"));
    connect(edit, &QPushButton::clicked, this, &SettingsWindow::EditTariff);
}

void SettingsWindow::BuildMiscGroup() {
    QGroupBox* group = AddGroup(this, tr("Разное"), scale_.Rect(2880, 1440, 2655, 915));
    hideAtStartBox_ =
        AddControl<QCheckBox>(group, "Check2", tr(kHideAtStart), scale_.Rect(120, 240, 2415, 255),
                              tr("Не показывать это окно при запуске программы"));
    autostartBox_ =
        AddControl<QCheckBox>(group, "Check3", tr(kAutostart), scale_.Rect(120, 570, 2415, 255),
                              tr("Запускать программу при входе в систему"));
}

void SettingsWindow::BuildButtons() {
    okButton_ =
        AddControl<QPushButton>(this, "Command4", tr("ОК"), scale_.Rect(3240, 2430, 1095, 375),
                                tr("Сохранить настройки и закрыть окно"));
    QPushButton* cancel =
        AddControl<QPushButton>(this, "Command3", tr("Отмена"), scale_.Rect(4440, 2430, 1095, 375),
                                tr("Закрыть окно, ничего не сохраняя"));
    // As in a dialog: Return presses the focused button, elsewhere "ОК".
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(true);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &SettingsWindow::AcceptSettings);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

void SettingsWindow::ShowSettings() {
    if (isVisible()) Reload();  // a hidden window reloads as it is shown
    show();
    raise();
    activateWindow();
}

void SettingsWindow::AllowClose() {
    closeAllowed_ = true;
}

void SettingsWindow::showEvent(QShowEvent* event) {
    Reload();
    QWidget::showEvent(event);
}

void SettingsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();  // as "Отмена", the way dialogs answer Escape
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        okButton_->click();  // a focused button took the key itself
    else
        QWidget::keyPressEvent(event);
}

void SettingsWindow::closeEvent(QCloseEvent* event) {
    if (closeAllowed_) {
        event->accept();
        return;
    }
    event->ignore();
    hide();
}

void SettingsWindow::Reload() {
    settings_ = LoadSettings(folder_);
    autoShowBox_->setChecked(IsOn(settings_.auto_show));
    hideAtStartBox_->setChecked(IsOn(settings_.hide_start));
    activityMonitorBox_->setChecked(IsOn(settings_.full));
    autostartBox_->setChecked(autostart_.IsAutostartEnabled());
    // A hand-edited type the list does not have shows as no selection.
    const bool listed = settings_.Type_tar == 0 || settings_.Type_tar == 1;
    tariffTypeList_->setCurrentIndex(listed ? settings_.Type_tar : -1);
    transparencyBar_->setValue(settings_.Transparent);  // already within 0..255
}

bool SettingsWindow::SaveControls() {
    QString error;
    if (SaveSettings(folder_, settings_, tariffTypeList_->currentIndex(), transparencyBar_->value(),
                     &error))
        return true;
    QMessageBox::warning(this, QStringLiteral("Vantoril"), error);
    return false;
}

void SettingsWindow::AcceptSettings() {
    settings_.auto_show = autoShowBox_->isChecked() ? 1 : 0;
    settings_.hide_start = hideAtStartBox_->isChecked() ? 1 : 0;
    settings_.full = activityMonitorBox_->isChecked() ? 1 : 0;
    // A failure shows as an unticked box at the next activation.
    if (autostartBox_->isChecked())
        autostart_.EnableAutostart();
    else
        autostart_.DisableAutostart();
    if (SaveControls()) close();  // after a failed save the window stays, as the user left it
}

void SettingsWindow::EditTariff() {
    SaveControls();  // the editor chooses its captions by the stored tariff type
    Q_EMIT tariffEditorRequested();
    Reload();
}

void SettingsWindow::EditScript() {
    Q_EMIT scriptEditorRequested();
    Reload();
}
