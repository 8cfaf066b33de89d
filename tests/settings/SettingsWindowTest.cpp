// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window on the offscreen platform: reloading, storing and hiding.
#include "FailingDevice.h"
#include "NextModal.h"
#include "TempFolder.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "settings/ui/SettingsWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

constexpr char kProgram[] = "/opt/vantoril/vantoril";

struct SettingsWindowTest : ::testing::Test {
    TempFolder programFolder;
    TempFolder config;
    Settings settings;
    Autostart autostart{kProgram, config.Path()};
    SettingsWindow form{settings, ProgramFolder(programFolder.Path()), autostart};

    template <typename Control>
    Control* Find(const char* name) {
        auto* control = form.findChild<Control*>(name);
        if (!control) ADD_FAILURE() << "no control " << name;
        return control;
    }
    QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
    void Click(const char* button) { Find<QPushButton>(button)->click(); }

    void WriteSettings(const QByteArray& keys) {
        programFolder.Write("inet.conf", "[Vantoril]\r\n" + keys);
    }
    QString Stored(const char* key) const {
        return ReadIni("Vantoril", key, programFolder.File("inet.conf"));
    }
};

}  // namespace

TEST_F(SettingsWindowTest, showingLoadsTheStoredValues) {
    WriteSettings("Type_tar=1\r\nTransparent=300\r\nauto_show=1\r\nhide_start=1\r\nfull=1\r\n");
    ASSERT_TRUE(autostart.EnableAutostart());
    form.ShowSettings();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Настройки программы"));
    EXPECT_TRUE(Check("Check1")->isChecked());
    EXPECT_TRUE(Check("Check2")->isChecked());
    EXPECT_TRUE(Check("Check3")->isChecked());
    EXPECT_TRUE(Check("Check4")->isChecked());
    EXPECT_EQ(Find<QComboBox>("Combo1")->currentIndex(), 1);
    EXPECT_EQ(Find<QScrollBar>("HS")->value(), 255) << "300 is out of range";
    EXPECT_EQ(settings.Type_tar, 1) << "the program's record is refilled";
}

TEST_F(SettingsWindowTest, valuesTheControlsCannotShowLeaveThemEmpty) {
    WriteSettings(
        "Type_tar=7\r\nTransparent=-5\r\nauto_show=2\r\nhide_start=1.5\r\n"
        "full=99999999999\r\n");
    form.ShowSettings();
    EXPECT_EQ(Find<QComboBox>("Combo1")->currentIndex(), -1);
    EXPECT_EQ(Find<QScrollBar>("HS")->value(), 255);
    EXPECT_FALSE(Check("Check1")->isChecked()) << "only 1 switches a flag on";
    EXPECT_FALSE(Check("Check2")->isChecked());
    EXPECT_FALSE(Check("Check4")->isChecked());
}

TEST_F(SettingsWindowTest, okStoresEveryControlAndHides) {
    form.ShowSettings();
    Check("Check1")->setChecked(true);
    Check("Check4")->setChecked(true);
    Check("Check3")->setChecked(true);
    Find<QComboBox>("Combo1")->setCurrentIndex(1);
    Find<QScrollBar>("HS")->setValue(200);
    Click("Command4");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Stored("Type_tar"), "1");
    EXPECT_EQ(Stored("Transparent"), "200");
    EXPECT_EQ(Stored("auto_show"), "1");
    EXPECT_EQ(Stored("hide_start"), "0");
    EXPECT_EQ(Stored("full"), "1");
    EXPECT_TRUE(autostart.IsAutostartEnabled());
    EXPECT_EQ(settings.auto_show, 1);

    form.ShowSettings();
    Check("Check3")->setChecked(false);
    Click("Command4");
    EXPECT_FALSE(config.Exists("autostart/Vantoril.desktop")) << "unticked removes the entry";
}

TEST_F(SettingsWindowTest, okWithNothingSelectedStoresMinusOne) {
    form.ShowSettings();
    Find<QComboBox>("Combo1")->setCurrentIndex(-1);
    Click("Command4");
    EXPECT_EQ(Stored("Type_tar"), "-1");
}

TEST_F(SettingsWindowTest, okKeepsTheOtherKeysOfTheFile) {
    WriteSettings("i_left=1500\r\nType_tar=0\r\n[Other]\r\nkey=value\r\n");
    form.ShowSettings();
    Click("Command4");
    EXPECT_EQ(Stored("i_left"), "1500");
    EXPECT_EQ(ReadIni("Other", "key", programFolder.File("inet.conf")), "value");
}

TEST_F(SettingsWindowTest, okOnAFullDiskSaysSoOnceAndKeepsTheFileAndTheWindow) {
    WriteSettings("full=1\r\nmine=keep\r\n");
    const QByteArray before = programFolder.Read("inet.conf");
    form.ShowSettings();
    Find<QScrollBar>("HS")->setValue(200);
    QStringList boxes;
    OnNextModal([&](QWidget* box) {
        boxes << static_cast<QMessageBox*>(box)->text();
        static_cast<QDialog*>(box)->accept();
    });
    {
        const ScopedFailingWrites full(10);
        Click("Command4");
    }
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(QStringLiteral("на диске нет места")) &&
                boxes[0].contains(QStringLiteral("Файл не изменён")))
        << boxes[0].toStdString();
    EXPECT_EQ(programFolder.Read("inet.conf"), before);
    EXPECT_TRUE(form.isVisible()) << "the user's choices are still on screen";
    EXPECT_EQ(Find<QScrollBar>("HS")->value(), 200);
}

TEST_F(SettingsWindowTest, cancelStoresNothing) {
    WriteSettings("Type_tar=0\r\nauto_show=0\r\n");
    const QByteArray before = programFolder.Read("inet.conf");
    form.ShowSettings();
    Check("Check1")->setChecked(true);
    Check("Check3")->setChecked(true);
    Find<QComboBox>("Combo1")->setCurrentIndex(1);
    Click("Command3");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(programFolder.Read("inet.conf"), before);
    EXPECT_FALSE(config.Exists("autostart/Vantoril.desktop"));
}

TEST_F(SettingsWindowTest, escapeCancelsLikeTheButton) {
    form.ShowSettings();
    Check("Check3")->setChecked(true);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(programFolder.Exists("inet.conf"));
    EXPECT_FALSE(config.Exists("autostart/Vantoril.desktop"));
}

TEST_F(SettingsWindowTest, showingAgainDropsUnsavedChanges) {
    form.ShowSettings();
    Check("Check1")->setChecked(true);
    Click("Command3");
    form.ShowSettings();
    EXPECT_FALSE(Check("Check1")->isChecked());
}

TEST_F(SettingsWindowTest, editTariffStoresTheListAndScrollBarBeforeTheEditorOpens) {
    form.ShowSettings();
    Find<QComboBox>("Combo1")->setCurrentIndex(1);
    Find<QScrollBar>("HS")->setValue(77);
    Check("Check1")->setChecked(true);
    Settings seenByEditor;
    QObject::connect(&form, &SettingsWindow::tariffEditorRequested,
                     [&] { seenByEditor = LoadSettings(ProgramFolder(programFolder.Path())); });
    Click("Command2");
    EXPECT_EQ(seenByEditor.Type_tar, 1);
    EXPECT_EQ(seenByEditor.Transparent, 77);
    EXPECT_EQ(seenByEditor.auto_show, 0) << "the check boxes are not taken over";
    EXPECT_FALSE(Check("Check1")->isChecked()) << "reloaded after the editor closed";
    EXPECT_EQ(Find<QComboBox>("Combo1")->currentIndex(), 1);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(SettingsWindowTest, editScriptSavesNothingAndReloadsAfterwards) {
    WriteSettings("Type_tar=0\r\nTransparent=10\r\n");
    const QByteArray before = programFolder.Read("inet.conf");
    form.ShowSettings();
    Check("Check1")->setChecked(true);
    Find<QComboBox>("Combo1")->setCurrentIndex(1);
    int requests = 0;
    QObject::connect(&form, &SettingsWindow::scriptEditorRequested, [&] { ++requests; });
    Click("Command1");
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(programFolder.Read("inet.conf"), before);
    EXPECT_FALSE(Check("Check1")->isChecked());
    EXPECT_EQ(Find<QComboBox>("Combo1")->currentIndex(), 0);
}

TEST_F(SettingsWindowTest, focusComingBackFromAnotherWindowOfTheProgramReloads) {
    form.ShowSettings();
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    if (QGuiApplication::focusWindow() != other.windowHandle())
        GTEST_SKIP() << "this platform plugin does not move the focus between windows";
    Check("Check1")->setChecked(true);
    form.activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QGuiApplication::focusWindow(), form.windowHandle());
    EXPECT_FALSE(Check("Check1")->isChecked());
}

TEST_F(SettingsWindowTest, everyCaptionShowsWhole) {
    for (QCheckBox* check : form.findChildren<QCheckBox*>())
        EXPECT_LE(check->sizeHint().width(), check->width()) << check->text().toStdString();
    for (const char* name : {"Command1", "Command2"}) {
        auto* button = Find<QPushButton>(name);
        EXPECT_LE(button->sizeHint().width(), button->width()) << name;
    }
    auto* list = Find<QComboBox>("Combo1");
    for (int item = 0; item < list->count(); ++item) {
        list->setCurrentIndex(item);
        EXPECT_LE(list->minimumSizeHint().width(), list->width());
    }
}

TEST_F(SettingsWindowTest, closingHidesUntilTheProgramAllowsIt) {
    form.ShowSettings();
    EXPECT_FALSE(form.close());
    EXPECT_FALSE(form.isVisible());
    form.ShowSettings();
    form.AllowClose();
    EXPECT_TRUE(form.close());
}

namespace {

// The same window on a real X server with a window manager (run through x_session.sh):
// the focus moves as the server and the window manager move it, pop-ups included.
struct SettingsWindowOnAnXServer : SettingsWindowTest {
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server with a window manager: run by x_session.sh";
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "xdotool is not installed";
    }
    // A click of the X server's own pointer, as the user makes it.
    static void ClickAt(const QWidget& widget, const QPoint& position) {
        const QPoint global = widget.mapToGlobal(position);
        QProcess xdotool;
        xdotool.start(
            QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(global.x()),
             QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
        // The event loop runs meanwhile: the program answers the server while it clicks.
        EXPECT_TRUE(QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 5000));
    }
    static bool WaitForFocus(const QWidget& window) {
        return QTest::qWaitFor(
            [&] { return QGuiApplication::focusWindow() == window.windowHandle(); }, 5000);
    }
    // Waits for the focus to reach `window` and for whatever the server still sends.
    static void Settle(const QWidget& window) {
        ASSERT_TRUE(WaitForFocus(window));
        QTest::qWait(300);
    }
};

}  // namespace

TEST_F(SettingsWindowOnAnXServer, choosingFromTheTariffListKeepsTheUnsavedChanges) {
    WriteSettings("Type_tar=0\r\nauto_show=0\r\n");
    form.ShowSettings();
    Settle(form);
    Check("Check1")->click();
    auto* list = Find<QComboBox>("Combo1");
    ClickAt(*list, list->rect().center());
    QAbstractItemView* items = list->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return items->isVisible(); }, 5000));
    QTest::qWait(300);  // the pop-up has the focus now
    const QRect byTime = items->visualRect(items->model()->index(1, 0));
    ClickAt(*items->viewport(), byTime.center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !items->isVisible(); }, 5000));
    Settle(form);
    EXPECT_TRUE(Check("Check1")->isChecked());
    EXPECT_EQ(list->currentIndex(), 1);
    Click("Command4");
    EXPECT_EQ(Stored("Type_tar"), "1");
    EXPECT_EQ(Stored("auto_show"), "1");
}

TEST_F(SettingsWindowOnAnXServer, returningFromAnotherWindowOfTheProgramReloads) {
    form.ShowSettings();
    Settle(form);
    Check("Check1")->click();
    QWidget other;
    other.setWindowTitle(QStringLiteral("other"));
    other.show();
    other.activateWindow();
    Settle(other);
    EXPECT_TRUE(Check("Check1")->isChecked()) << "nothing reloads while the focus is away";
    other.close();
    form.activateWindow();
    Settle(form);
    EXPECT_FALSE(Check("Check1")->isChecked());
}
