// SPDX-License-Identifier: GPL-3.0-or-later
// Every window with a keyboard and a screen reader: captions shown whole, the Tab chain,
// accessible names and descriptions, Return on the default button and Escape.
#include "IndicatorFixture.h"
#include "Locales.h"
#include "TempFolder.h"
#include "WindowChecks.h"
#include "app/QtTranslation.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "help/ui/AboutWindow.h"
#include "indicator/ui/IndicatorWindow.h"
#include "script/ui/ScriptEditor.h"
#include "settings/ui/SettingsWindow.h"
#include "stats/ui/StatisticsWindow.h"
#include "tariff/ui/PriceDialog.h"
#include "tariff/ui/TariffEditor.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// What every window owes its users; `tabChain` lists the objectNames in Tab order.
void ExpectReachable(QWidget& window, const QStringList& tabChain, const QString& shotName) {
    SaveShot(window, shotName);
    const QHash<QString, QString> documentedNames = {
        {"settings", "Form1"},  {"tariff-editor", "Form2"}, {"price-dialog", "Form3"},
        {"indicator", "Form4"}, {"script-editor", "Form5"}, {"about", "Form6"},
        {"statistics", "Form7"}};
    EXPECT_EQ(window.objectName(), documentedNames.value(shotName));
    EXPECT_EQ(CutCaptions(window), QStringList());
    EXPECT_FALSE(window.accessibleName().isEmpty()) << "the window's own name";
    EXPECT_EQ(ControlsWithoutAccessibleText(window), QStringList());
    const QList<QWidget*> chain = TabChain(window);
    if (chain.isEmpty() && !tabChain.isEmpty()) {
        ADD_FAILURE() << "the window did not become active, so Tab cannot be tried";
        return;
    }
    EXPECT_EQ(ObjectNames(chain), tabChain);
    for (QWidget* control : Controls(window)) {
        // Of a group of option buttons only the chosen one is a Tab stop; arrows move on.
        const auto* option = qobject_cast<QRadioButton*>(control);
        if (option && !option->isChecked()) continue;
        EXPECT_TRUE(chain.contains(control))
            << "Tab never reaches " << control->objectName().toStdString();
    }
}

// A list's name comes from its caption on Linux (its accessible "name" there is its value).
QString AccessibleName(QWidget* widget) {
    if (!widget->accessibleName().isEmpty()) return widget->accessibleName();
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

template <typename Control>
Control* Find(const QWidget& window, const char* name) {
    auto* control = window.findChild<Control*>(name);
    if (!control) ADD_FAILURE() << "no control " << name;
    return control;
}

// Gives the focus to a control of an active window.
void Focus(QWidget& window, QWidget* control) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    control->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), control);
}

// Receives the addresses a window asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    UrlCatcher() {
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
    }
    ~UrlCatcher() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    QList<QUrl> opened;

public Q_SLOTS:
    void Open(const QUrl& url) { opened << url; }
};

class SettingsWindowAccess : public ::testing::Test {
protected:
    QString Stored(const char* key) const {
        return ReadIni(QStringLiteral("Vantoril"), QString::fromLatin1(key),
                       program.File(QStringLiteral("inet.conf")));
    }

    TempFolder program;
    TempFolder config;
    Settings settings;
    Autostart autostart{QStringLiteral("/opt/vantoril/vantoril"), config.Path()};
    SettingsWindow window{settings, ProgramFolder(program.Path()), autostart};
};

TEST_F(SettingsWindowAccess, everyControlIsNamedAndOnTheTabChain) {
    window.ShowSettings();
    ExpectReachable(window,
                    {"Check1", "Check4", "Command1", "Combo1", "Command2", "Check2", "Check3",
                     "Command4", "Command3", "HS"},
                    QStringLiteral("settings"));
    EXPECT_EQ(AccessibleName(Find<QScrollBar>(window, "HS")), QStringLiteral("Прозрачность"))
        << "named after its own caption, not after its group box";
    EXPECT_EQ(AccessibleName(Find<QComboBox>(window, "Combo1")), QStringLiteral("Тип тарификации"));
}

TEST_F(SettingsWindowAccess, returnPressesTheFocusedButtonElseOk) {
    window.ShowSettings();
    auto* autoShow = Find<QCheckBox>(window, "Check1");
    autoShow->setChecked(true);
    Focus(window, Find<QPushButton>(window, "Command4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Stored("auto_show"), QStringLiteral("1"));

    window.ShowSettings();
    Focus(window, autoShow);
    autoShow->setChecked(false);
    QTest::keyClick(autoShow, Qt::Key_Enter);
    EXPECT_FALSE(window.isVisible()) << "Return on a check box is the default button's";
    EXPECT_EQ(Stored("auto_show"), QStringLiteral("0"));

    window.ShowSettings();
    autoShow->setChecked(true);
    Focus(window, Find<QPushButton>(window, "Command3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Stored("auto_show"), QStringLiteral("0")) << "a focused Отмена cancels";
}

TEST_F(SettingsWindowAccess, arrowsMoveTheTransparencyOnceTabbedTo) {
    window.ShowSettings();
    auto* transparency = Find<QScrollBar>(window, "HS");
    transparency->setValue(100);
    Focus(window, transparency);
    QTest::keyClick(transparency, Qt::Key_Right);
    EXPECT_EQ(transparency->value(), 101);
}

class TariffEditorAccess : public ::testing::Test {
protected:
    TempFolder program;
    QPointer<TariffEditor> editor =
        new TariffEditor(ProgramFolder(program.Path()), RussianLocale());
    void TearDown() override { delete editor; }
};

TEST_F(TariffEditorAccess, everyControlIsNamedAndOnTheTabChain) {
    QStringList chain;
    for (int hour = 0; hour < 24; ++hour) chain << QStringLiteral("tar1_%1").arg(hour);
    chain << "Option1_0"
          << "Command2"
          << "Command1";
    ExpectReachable(*editor, chain, QStringLiteral("tariff-editor"));
    EXPECT_EQ(AccessibleName(Find<QWidget>(*editor, "tar1_13")), QStringLiteral("Час 13"));
}

TEST_F(TariffEditorAccess, spacePaintsTheFocusedHourWithTheChosenClass) {
    Find<QRadioButton>(*editor, "Option1_2")->setChecked(true);
    auto* hour13 = Find<QWidget>(*editor, "tar1_13");
    Focus(*editor, hour13);
    QTest::keyClick(hour13, Qt::Key_Space);
    EXPECT_EQ(editor->CellClass(13), 2);
    EXPECT_EQ(editor->CellClass(12), 0);
}

TEST_F(TariffEditorAccess, returnSavesAndEscapeCancels) {
    const QByteArray before = program.Read(QStringLiteral("tar.dat"));
    Find<QRadioButton>(*editor, "Option1_1")->setChecked(true);
    Focus(*editor, Find<QWidget>(*editor, "tar1_0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    EXPECT_EQ(program.Read(QStringLiteral("tar.dat")), before) << "nothing written on Escape";

    Focus(*editor, Find<QWidget>(*editor, "tar1_0"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(program.Read(QStringLiteral("tar.dat")).left(2), QByteArray("\1\0", 2));
}

TEST(PriceDialogAccess, everyControlIsNamedAndOnTheTabChain) {
    TempFolder program;
    PriceDialog dialog(ProgramFolder(program.Path()), RussianLocale());
    ExpectReachable(dialog, {"Text1", "Command2", "Command1"}, QStringLiteral("price-dialog"));
}

TEST(PriceDialogAccess, returnConfirmsAndEscapeCancels) {
    TempFolder program;
    PriceDialog dialog(ProgramFolder(program.Path()), RussianLocale());
    auto* field = Find<QLineEdit>(dialog, "Text1");
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClicks(field, QStringLiteral("5"));
        QTest::keyClick(field, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.InputMsg(QStringLiteral("1,5")), QStringLiteral("5"));
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(field, Qt::Key_Escape); });
    EXPECT_EQ(dialog.InputMsg(QStringLiteral("1,5")), QString());
}

class IndicatorAccess : public IndicatorFixture {};

TEST_F(IndicatorAccess, hasANameAndItsCaptionsShowWhole) {
    std::unique_ptr<IndicatorWindow> indicator = LoadIndicator();
    indicator->SetWindowHeightTwips(1770);
    indicator->SetMessageText(QStringLiteral("Превышен лимит траффика"));
    ExpectReachable(*indicator, {}, QStringLiteral("indicator"));
}

class ScriptEditorAccess : public ::testing::Test {
protected:
    TempFolder program;
    ScriptEditor editor{ProgramFolder(program.Path())};
};

TEST_F(ScriptEditorAccess, everyControlIsNamedAndOnTheTabChain) {
    ExpectReachable(editor, {"Text1", "Command1", "Command3", "Command2", "HelpLink"},
                    QStringLiteral("script-editor"));
}

TEST_F(ScriptEditorAccess, returnTypesInTheFieldAndPressesAFocusedButton) {
    auto* field = Find<QPlainTextEdit>(editor, "Text1");
    Focus(editor, field);
    QTest::keyClicks(field, QStringLiteral("a"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(editor.isVisible()) << "Return belongs to the script text";
    EXPECT_EQ(field->toPlainText(), QStringLiteral("a\n"));

    Focus(editor, Find<QPushButton>(editor, "Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(program.Exists(QStringLiteral("script.vsc"))) << "a focused Сохранить saves";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
}

TEST(AboutWindowAccess, everyControlIsNamedAndOnTheTabChain) {
    AboutWindow about;
    ExpectReachable(about, {"Label3", "Label4", "Text1", "Command1"}, QStringLiteral("about"));
}

TEST(AboutWindowAccess, returnOpensAFocusedLinkElseCloses) {
    UrlCatcher catcher;
    AboutWindow about;
    Focus(about, Find<QLabel>(about, "Label4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("https://vantoril.example.org"))});
    EXPECT_TRUE(about.isVisible());

    Focus(about, Find<QWidget>(about, "Text1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(about.isVisible()) << "ОК is the default button";
    Focus(about, Find<QWidget>(about, "Text1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

class StatisticsViewerAccess : public ::testing::Test {
protected:
    void SetUp() override {
        program.Write(QStringLiteral("connections/MyISP.vlg"),
                      "[Statistic]\r\n03.2008=12,5\r\n04.2008=3\r\n");
        viewer = new StatisticsWindow(ProgramFolder(program.Path()), nullptr,
                                      [this](QWidget*, const QString& text) { errors << text; });
    }
    void TearDown() override { delete viewer; }

    TempFolder program;
    QPointer<StatisticsWindow> viewer;
    QStringList errors;
};

TEST_F(StatisticsViewerAccess, everyControlIsNamedAndOnTheTabChain) {
    ExpectReachable(*viewer, {"Combo1", "Combo2", "Command1"}, QStringLiteral("statistics"));
    EXPECT_EQ(AccessibleName(Find<QComboBox>(*viewer, "Combo2")), QStringLiteral("Дата"));
}

TEST_F(StatisticsViewerAccess, returnInAListClearsNothingAndEscapeCloses) {
    Focus(*viewer, Find<QComboBox>(*viewer, "Combo2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(program.Exists(QStringLiteral("connections/MyISP.vlg")))
        << "clearing everything is never the default";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(viewer.isNull() || !viewer->isVisible());
    EXPECT_TRUE(program.Exists(QStringLiteral("connections/MyISP.vlg")));
    EXPECT_EQ(errors, QStringList());
}

TEST(QtTexts, contextMenusAndFileErrorsAreRussian) {
    const QString qtFile =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ru.qm");
    if (!QFile::exists(qtFile))
        GTEST_SKIP() << "Qt's Russian translation is not installed (qt6-translations-l10n)";
    QString error;
    ASSERT_TRUE(LoadQtTranslation(&error)) << error.toStdString();
    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator()) texts << action->text();
    EXPECT_EQ(texts.filter(QStringLiteral("Копировать")).size(), 1)
        << texts.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(texts.filter(QStringLiteral("Copy")).isEmpty());
    QFile missing(QStringLiteral("/nonexistent/vantoril"));
    EXPECT_FALSE(missing.open(QIODevice::ReadOnly));
    EXPECT_FALSE(missing.errorString().contains(QStringLiteral("No such file")))
        << missing.errorString().toStdString();
    for (QTranslator* translator : qApp->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(translator);
}

}  // namespace

#include "WindowAccessTest.moc"
