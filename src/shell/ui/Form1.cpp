// The settings window: loads the controls from the settings file on activation and
// stores them on "ОК".
#include "shell/ui/Form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>

#include "shell/Settings.h"
#include "shell/ui/TwipsScale.h"
#include "shell/ui/WindowLook.h"

namespace {

QGroupBox* AddGroup(QWidget* window, const QString& caption, const QRect& geometry) {
    auto* group = new QGroupBox(caption, window);
    group->setGeometry(geometry);
    return group;
}

// A named control with a caption, placed in its parent.
template <typename Control>
Control* AddControl(QWidget* parent, const char* name, const QString& caption,
                    const QRect& geometry) {
    auto* control = new Control(caption, parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QLabel* AddLabel(QWidget* group, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, group);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

const QString kShowAutomatically = QStringLiteral("Показывать автоматически");
const QString kActivityMonitor = QStringLiteral("Монитор активности");
const QString kHideAtStart = QStringLiteral("Скрывать при запуске");
const QString kAutostart = QStringLiteral("Автозагрузка");
const QString kByTraffic = QStringLiteral("Траффик, оплата за 1 Мб");
const QString kByTime = QStringLiteral("Время, оплата за 1 час");
const QString kEditScript = QStringLiteral("Редактировать скрипт");
const QString kEditTariff = QStringLiteral("Редактировать тариф");

// A flag shows as ticked only when it is exactly 1, the value that switches it on.
bool IsOn(int16_t flag) {
    return flag == 1;
}

}  // namespace

Form1::Form1(Settings& settings, ProgramFolder folder, Autostart autostart, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      settings_(settings),
      folder_(std::move(folder)),
      autostart_(std::move(autostart)) {
    setObjectName("Form1");
    setWindowTitle(QStringLiteral("Настройки программы"));
    setWindowIcon(ProgramIcon());
    UseDialogFont(*this);
    FitScale();
    setFixedSize(scale_.Length(5640), scale_.Length(2925));
    BuildIndicatorGroup();
    BuildNotificationGroup();
    BuildTariffGroup();
    BuildMiscGroup();
    BuildButtons();
    CentreOnScreen(*this);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &Form1::FocusWindowChanged);
}

void Form1::FitScale() {
    // Every control inside a group box is 2415 twips wide; each is asked, in the
    // window's font, how wide it wants to be.
    const auto fit = [this](QWidget& probe) {
        probe.setFont(font());
        scale_.Fit(probe.sizeHint().width(), 2415);
    };
    for (const QString& caption :
         {kShowAutomatically, kActivityMonitor, kHideAtStart, kAutostart}) {
        QCheckBox check(caption);
        fit(check);
    }
    for (const QString& caption : {kEditScript, kEditTariff}) {
        QPushButton button(caption);
        fit(button);
    }
    QComboBox list;
    list.addItems({kByTraffic, kByTime});
    fit(list);
}

void Form1::BuildIndicatorGroup() {
    QGroupBox* group =
        AddGroup(this, QStringLiteral("Настройка индикатора"), scale_.Rect(120, 0, 2655, 1395));
    AddLabel(group, QStringLiteral("Прозрачность:"), scale_.Rect(120, 240, 2415, 240));
    HS_ = new QScrollBar(Qt::Horizontal, group);
    HS_->setObjectName("HS");
    HS_->setRange(0, 255);
    HS_->setGeometry(scale_.Rect(120, 480, 2415, 255));
    Check1_ = AddControl<QCheckBox>(group, "Check1", kShowAutomatically,
                                    scale_.Rect(120, 730, 2415, 255));
    Check4_ =
        AddControl<QCheckBox>(group, "Check4", kActivityMonitor, scale_.Rect(120, 1080, 2415, 255));
}

void Form1::BuildNotificationGroup() {
    QGroupBox* group =
        AddGroup(this, QStringLiteral("Настройка оповещений"), scale_.Rect(2880, 0, 2655, 1395));
    AddLabel(group, QStringLiteral("Для создания оповещений используются скрипты."),
             scale_.Rect(120, 240, 2415, 480));
    QPushButton* edit =
        AddControl<QPushButton>(group, "Command1", kEditScript, scale_.Rect(120, 840, 2415, 375));
    connect(edit, &QPushButton::clicked, this, &Form1::EditScript);
}

void Form1::BuildTariffGroup() {
    QGroupBox* group =
        AddGroup(this, QStringLiteral("Настройка тарифа"), scale_.Rect(120, 1440, 2655, 1395));
    AddLabel(group, QStringLiteral("Тип тарификации:"), scale_.Rect(120, 240, 2415, 240));
    Combo1_ = new QComboBox(group);
    Combo1_->setObjectName("Combo1");
    Combo1_->addItem(kByTraffic);
    Combo1_->addItem(kByTime);
    Combo1_->setGeometry(scale_.Rect(120, 480, 2415, 315));
    QPushButton* edit =
        AddControl<QPushButton>(group, "Command2", kEditTariff, scale_.Rect(120, 840, 2415, 375));
    connect(edit, &QPushButton::clicked, this, &Form1::EditTariff);
}

void Form1::BuildMiscGroup() {
    QGroupBox* group = AddGroup(this, QStringLiteral("Разное"), scale_.Rect(2880, 1440, 2655, 915));
    Check2_ =
        AddControl<QCheckBox>(group, "Check2", kHideAtStart, scale_.Rect(120, 240, 2415, 255));
    Check3_ = AddControl<QCheckBox>(group, "Check3", kAutostart, scale_.Rect(120, 570, 2415, 255));
}

void Form1::BuildButtons() {
    QPushButton* ok = AddControl<QPushButton>(this, "Command4", QStringLiteral("ОК"),
                                              scale_.Rect(3240, 2430, 1095, 375));
    QPushButton* cancel = AddControl<QPushButton>(this, "Command3", QStringLiteral("Отмена"),
                                                  scale_.Rect(4440, 2430, 1095, 375));
    connect(ok, &QPushButton::clicked, this, &Form1::AcceptSettings);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

void Form1::ShowSettings() {
    if (isVisible()) Reload();  // a hidden window reloads as it is shown
    show();
    raise();
    activateWindow();
}

void Form1::AllowClose() {
    closeAllowed_ = true;
}

void Form1::showEvent(QShowEvent* event) {
    Reload();
    QWidget::showEvent(event);
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();  // as "Отмена", the way dialogs answer Escape
    else
        QWidget::keyPressEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
    if (closeAllowed_) {
        event->accept();
        return;
    }
    event->ignore();
    hide();
}

void Form1::Reload() {
    settings_ = LoadSettings(folder_);
    Check1_->setChecked(IsOn(settings_.auto_show));
    Check2_->setChecked(IsOn(settings_.hide_start));
    Check4_->setChecked(IsOn(settings_.full));
    Check3_->setChecked(autostart_.IsAutostartEnabled());
    // A hand-edited type the list does not have shows as no selection.
    const bool listed = settings_.Type_tar == 0 || settings_.Type_tar == 1;
    Combo1_->setCurrentIndex(listed ? settings_.Type_tar : -1);
    HS_->setValue(settings_.Transparent);  // already within 0..255
}

void Form1::SaveControls() {
    SaveSettings(folder_, settings_, Combo1_->currentIndex(), HS_->value());
}

void Form1::AcceptSettings() {
    settings_.auto_show = Check1_->isChecked() ? 1 : 0;
    settings_.hide_start = Check2_->isChecked() ? 1 : 0;
    settings_.full = Check4_->isChecked() ? 1 : 0;
    // A failure shows as an unticked box at the next activation.
    if (Check3_->isChecked())
        autostart_.EnableAutostart();
    else
        autostart_.DisableAutostart();
    SaveControls();
    close();
}

void Form1::EditTariff() {
    SaveControls();  // the editor chooses its captions by the stored tariff type
    Q_EMIT tariffEditorRequested();
    Reload();
}

void Form1::EditScript() {
    Q_EMIT scriptEditorRequested();
    Reload();
}

void Form1::FocusWindowChanged(QWindow* focusWindow) {
    // Only a return from another window of the program counts as an activation; coming
    // back from another application (no focus window in between) does not.
    const bool ownWindow = focusWindow && focusWindow == windowHandle();
    if (ownWindow && otherWindowHadFocus_) Reload();
    otherWindowHadFocus_ = focusWindow && !ownWindow;
}
