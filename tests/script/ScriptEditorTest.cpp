// SPDX-License-Identifier: GPL-3.0-or-later
// The script editor window, driven like a user on the offscreen platform.
#include "NextModal.h"
#include "TempFolder.h"
#include "core/ProgramFolder.h"
#include "script/ScriptHelp.h"
#include "script/ui/ScriptEditor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

namespace {

struct ScriptEditorTest : ::testing::Test {
    TempFolder temp;
    ProgramFolder folder{temp.Path()};

    std::unique_ptr<ScriptEditor> Open(const QLocale& locale = QLocale::c()) {
        auto editor = std::make_unique<ScriptEditor>(folder, nullptr, locale);
        editor->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
        return editor;
    }
    static QPlainTextEdit* Text(ScriptEditor& editor) {
        return editor.findChild<QPlainTextEdit*>("Text1");
    }
    static QString Report(ScriptEditor& editor) {
        return editor.findChild<QLabel*>("Label1")->text();
    }
    static void Press(ScriptEditor& editor, const char* button) {
        QTest::mouseClick(editor.findChild<QPushButton*>(button), Qt::LeftButton);
    }
    static void Type(ScriptEditor& editor, const QString& text) {
        QTest::keyClick(Text(editor), Qt::Key_End, Qt::ControlModifier);
        const QStringList lines = text.split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(Text(editor), Qt::Key_Return);
            QTest::keyClicks(Text(editor), lines[i]);
        }
    }
    static void Check(ScriptEditor& editor) { Press(editor, "Command3"); }
    static void Save(ScriptEditor& editor) { Press(editor, "Command1"); }
};

TEST_F(ScriptEditorTest, withoutAFileTheFieldIsEmptyAndSaveCreatesIt) {
    auto editor = Open();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Редактор скриптов"));
    EXPECT_TRUE(Text(*editor)->toPlainText().isEmpty());
    EXPECT_TRUE(Report(*editor).isEmpty());
    Type(*editor, "var x");
    Save(*editor);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(temp.Read("script.vsc"), QByteArray("var x\r\n"));

    auto reopened = Open();
    EXPECT_EQ(Text(*reopened)->toPlainText(), QStringLiteral("var x\n"));
}

TEST_F(ScriptEditorTest, savingALoadedScriptAgainNeverGrowsTheFile) {
    const QByteArray script = "; traffic\r\nif (AL > 100) then disconn()\r\n";
    temp.Write("script.vsc", script);
    auto editor = Open();
    EXPECT_EQ(Text(*editor)->toPlainText(),
              QStringLiteral("; traffic\nif (AL > 100) then disconn()\n"));
    Save(*editor);
    Save(*editor);
    EXPECT_EQ(temp.Read("script.vsc"), script);
}

TEST_F(ScriptEditorTest, checkOfAFaultlessOrEmptyScriptSaysNoErrors) {
    auto editor = Open();
    Check(*editor);
    EXPECT_EQ(Report(*editor), QStringLiteral("Ошибок не обнаружено"));
    Type(*editor, "message('hi')\n; note");
    Check(*editor);
    EXPECT_EQ(Report(*editor), QStringLiteral("Ошибок не обнаружено"));
}

TEST_F(ScriptEditorTest, checkShowsTheReportAndPutsTheCursorOnItsLine) {
    temp.Write("script.vsc", "; one\r\nmessage('ok')\r\nx = 10 / 0\r\nmessage('after')\r\n");
    auto editor = Open();
    Check(*editor);
    EXPECT_EQ(Report(*editor), QStringLiteral("Ошибка на линии 3: деление на ноль"));
    EXPECT_EQ(Text(*editor)->textCursor().blockNumber(), 2);
    EXPECT_EQ(Text(*editor)->textCursor().positionInBlock(), 0);
}

TEST_F(ScriptEditorTest, numbersLinesAsTheCheckerDoesInAFileWithCrLfAndLoneLineFeeds) {
    const QByteArray mixed = "; note\nx =\r\nmessage('it's')\r\n";
    temp.Write("script.vsc", mixed);
    auto editor = Open();
    EXPECT_EQ(Text(*editor)->blockCount(), 3);  // two lines and the empty one after the last
    Check(*editor);
    EXPECT_EQ(Report(*editor), QStringLiteral("Ошибка на линии 2: нет закрывающей кавычки"));
    EXPECT_EQ(Text(*editor)->textCursor().blockNumber(), 1);
    Save(*editor);
    EXPECT_EQ(temp.Read("script.vsc"), mixed);
}

TEST_F(ScriptEditorTest, shiftEnterStartsANewLineLikeEnter) {
    auto editor = Open();
    QTest::keyClicks(Text(*editor), "a");
    QTest::keyClick(Text(*editor), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(Text(*editor), "b");
    EXPECT_EQ(Text(*editor)->blockCount(), 2);
    Save(*editor);
    EXPECT_EQ(temp.Read("script.vsc"), QByteArray("a\r\nb\r\n"));
}

TEST_F(ScriptEditorTest, checkListsTheLintWarningsUnderTheVerdictAndAClickGoesToTheLine) {
    QFile fixture(QStringLiteral(VANTORIL_SCRIPT_FIXTURES "/traps.vsc"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    temp.Write("script.vsc", fixture.readAll());
    auto editor = Open();
    const QSize plain = editor->size();
    auto* list = editor->findChild<QListWidget*>("LintList");
    ASSERT_TRUE(list);
    EXPECT_FALSE(list->isVisible());
    Check(*editor);
    // The verdict is the checker's alone; the traps pass it.
    EXPECT_EQ(Report(*editor), QStringLiteral("Ошибок не обнаружено"));
    ASSERT_TRUE(list->isVisible());
    // The condition cannot be cut, so "limit" is never read either.
    ASSERT_EQ(list->count(), 3);
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("Строка 2: «limit» объявлена")))
        << list->item(0)->text().toStdString();
    EXPECT_TRUE(list->item(1)->text().startsWith(QStringLiteral("Строка 4: условие не делится")));
    EXPECT_TRUE(list->item(2)->text().startsWith(QStringLiteral("Строка 5: «disconn()»")));
    EXPECT_GT(editor->height(), plain.height());
    EXPECT_LE(list->geometry().bottom(), editor->height());
    // All three show without scrolling: the unconditional hang-up is not hidden below.
    EXPECT_GE(list->viewport()->height(), list->visualItemRect(list->item(2)).bottom());

    for (const int row : {2, 1}) {
        const QRect item = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        EXPECT_EQ(Text(*editor)->textCursor().blockNumber(), row + 2);
    }

    Text(*editor)->setPlainText("message('ok')");
    Check(*editor);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(editor->size(), plain);
}

TEST_F(ScriptEditorTest, theCheckersFaultLeadsTheListAboveTheWarningsOfEarlierLines) {
    temp.Write("script.vsc", "disconn()\r\nmessage('it's')\r\n");
    auto editor = Open();
    Check(*editor);
    auto* list = editor->findChild<QListWidget*>("LintList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Ошибка на линии 2: нет закрывающей кавычки"));
    EXPECT_TRUE(list->item(1)->text().startsWith(QStringLiteral("Строка 1: «disconn()»")));
}

TEST_F(ScriptEditorTest, warningsFollowTheLocaleScriptsRunIn) {
    temp.Write("script.vsc", "if (MAL > 90) then message('x')\r\n");
    auto point = Open(QLocale::c());
    Check(*point);
    EXPECT_EQ(point->findChild<QListWidget*>("LintList")->count(), 0);
    auto russian = Open(QLocale(QLocale::Russian, QLocale::Russia));
    Check(*russian);
    EXPECT_EQ(russian->findChild<QListWidget*>("LintList")->count(), 1);
}

TEST_F(ScriptEditorTest, helpWithoutAnInstalledReferenceSaysWhereTheReferenceIs) {
    auto editor = Open();
    auto* link = editor->findChild<QLabel*>("HelpLink");
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->text().contains(QStringLiteral("Справка")));
    // The test executable has no share/doc beside it, so nothing is opened.
    ASSERT_TRUE(ScriptHelpDocument(QCoreApplication::applicationDirPath()).isEmpty());
    QTest::keyClick(editor.get(), Qt::Key_F1);
    EXPECT_TRUE(Report(*editor).contains(QStringLiteral("docs/script-language.md")))
        << Report(*editor).toStdString();
}

TEST_F(ScriptEditorTest, secondCheckLooksAtTheEditedText) {
    temp.Write("script.vsc", "message('it's')\r\n");
    auto editor = Open();
    Check(*editor);
    EXPECT_EQ(Report(*editor), QStringLiteral("Ошибка на линии 1: нет закрывающей кавычки"));
    Text(*editor)->setPlainText("message('fine')\nx =");
    Check(*editor);
    EXPECT_EQ(Report(*editor), QStringLiteral("Ошибка на линии 2: ожидается выражение"));
    EXPECT_EQ(Text(*editor)->textCursor().blockNumber(), 1);
}

TEST_F(ScriptEditorTest, checkAndExitLeaveTheFileAsItWas) {
    const QByteArray script = "message('a')\r\n";
    temp.Write("script.vsc", script);
    auto editor = Open();
    Type(*editor, "x = (1");
    Check(*editor);
    EXPECT_EQ(temp.Read("script.vsc"), script);
    Press(*editor, "Command2");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->result(), QDialog::Rejected);
    EXPECT_EQ(temp.Read("script.vsc"), script);
}

TEST_F(ScriptEditorTest, unreadableFileIsReportedBelowTheText) {
    QDir(temp.Path()).mkdir("script.vsc");
    auto editor = Open();
    EXPECT_TRUE(Text(*editor)->toPlainText().isEmpty());
    EXPECT_TRUE(Report(*editor).contains("script.vsc")) << Report(*editor).toStdString();
}

TEST_F(ScriptEditorTest, failedSaveIsReportedAndTheWindowStaysOpen) {
    // A file that reads but cannot be replaced, even by root: a link into /proc.
    ASSERT_TRUE(QFile::link("/proc/version", temp.File("script.vsc")));
    auto editor = Open();
    EXPECT_FALSE(Text(*editor)->toPlainText().isEmpty());
    QString message;
    OnNextModal(
        [&](QWidget* box) {
            message = static_cast<QMessageBox*>(box)->text();
            static_cast<QDialog*>(box)->accept();
        },
        editor.get());
    Save(*editor);
    EXPECT_TRUE(message.contains(QStringLiteral("не сохранён"))) << message.toStdString();
    EXPECT_TRUE(editor->isVisible());
}

}  // namespace
