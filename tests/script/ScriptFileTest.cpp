// SPDX-License-Identifier: GPL-3.0-or-later
// The script file as the script editor reads and writes it.
#include "TempFolder.h"
#include "core/ProgramFolder.h"
#include "script/ScriptFile.h"
#include "script/ScriptHelp.h"
#include "script/ScriptSource.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(EditorTextFromFile, crLfLineEndsBecomeLineFeedsAndOtherCharactersStay) {
    EXPECT_EQ(EditorTextFromFile("a\r\nb\r\n"), QStringLiteral("a\nb\n"));
    EXPECT_EQ(EditorTextFromFile("a\nb\tc"), QStringLiteral("a\nb\tc"));
}

TEST(EditorTextFromFile, linesAreCutAsTheInterpreterCutsThemAndSavedBackAsTheyWere) {
    // Without CR LF (written on Linux) every LF ends a line.
    EXPECT_EQ(EditorTextFromFile("a\nb\n"), QStringLiteral("a\nb\n"));
    // With CR LF a lone LF stays inside its line, shown as a line separator; a lone CR
    // is an ordinary character in either kind of file.
    const QByteArray mixed = "a\nb\r\nc\rd\r\n";
    EXPECT_EQ(EditorTextFromFile(mixed), QStringLiteral("a\u2028b\nc\u240Dd\n"));
    EXPECT_EQ(FileTextFromEditor(EditorTextFromFile(mixed)).toUtf8(), mixed);
    EXPECT_EQ(FileTextFromEditor(EditorTextFromFile("a\rb\nc")).toUtf8(),
              QByteArray("a\rb\r\nc\r\n"));
}

TEST(EditorTextFromFile, windowsCyrillicAndUtf8BothRead) {
    EXPECT_EQ(EditorTextFromFile("message('\xcf\xf0\xe8\xe2\xe5\xf2')"),
              QStringLiteral("message('Привет')"));
    EXPECT_EQ(EditorTextFromFile(QStringLiteral("message('Привет')").toUtf8()),
              QStringLiteral("message('Привет')"));
}

TEST(FileTextFromEditor, everyLineEndsWithCrLfAndOnlyOneIsAddedAtTheEnd) {
    EXPECT_EQ(FileTextFromEditor("a\nb"), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(FileTextFromEditor("a\nb\n"), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(FileTextFromEditor("a\n\n"), QStringLiteral("a\r\n\r\n"));
    EXPECT_EQ(FileTextFromEditor(""), QString());
}

TEST(FileTextFromEditor, aLoadedFileIsWrittenBackUnchanged) {
    for (const QByteArray& file : {QByteArray("x = 1\r\n\r\n; note\r\n"), QByteArray("a\r\n")})
        EXPECT_EQ(FileTextFromEditor(EditorTextFromFile(file)).toUtf8(), file);
    const QString once = FileTextFromEditor(EditorTextFromFile("no final break"));
    EXPECT_EQ(FileTextFromEditor(EditorTextFromFile(once.toUtf8())), once);
}

struct ScriptFileTest : ::testing::Test {
    TempFolder temp;
    ProgramFolder folder{temp.Path()};
};

TEST_F(ScriptFileTest, missingFileLoadsAsEmptyScriptWithoutCreatingIt) {
    QString text = "stale";
    QString error;
    EXPECT_TRUE(LoadScript(folder, &text, &error));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(temp.Exists("script.vsc"));
}

TEST_F(ScriptFileTest, unreadableFileIsReported) {
    QDir(temp.Path()).mkdir("script.vsc");
    QString text;
    QString error;
    EXPECT_FALSE(LoadScript(folder, &text, &error));
    EXPECT_TRUE(error.contains("script.vsc")) << error.toStdString();
}

TEST_F(ScriptFileTest, saveWritesUtf8WithCrLfAndLoadGivesTheTextBack) {
    const QString text = QStringLiteral("message('Привет')\nif (DL > 5) then disconn()");
    QString error;
    ASSERT_TRUE(SaveScript(folder, text, &error)) << error.toStdString();
    EXPECT_EQ(temp.Read("script.vsc"),
              QStringLiteral("message('Привет')\r\nif (DL > 5) then disconn()\r\n").toUtf8());
    QString loaded;
    ASSERT_TRUE(LoadScript(folder, &loaded, &error));
    EXPECT_EQ(loaded, text + u'\n');
}

TEST_F(ScriptFileTest, failedSaveIsReportedAndLeavesTheFolderAsItWas) {
    QDir(temp.Path()).mkdir("script.vsc");
    QString error;
    EXPECT_FALSE(SaveScript(folder, "x", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(temp.File("script.vsc")).isDir());
}

// The timer's script is read once and again only after a change notice has come through
// the event loop: a save from the editor, a removal.
TEST_F(ScriptFileTest, theTimersScriptIsKeptUntilItsFileChanges) {
    temp.Write("script.vsc", "message('one')\r\n");
    ScriptSource source(folder);
    EXPECT_EQ(source.Text(), QStringLiteral("message('one')\r\n"));
    QString error;
    ASSERT_TRUE(SaveScript(folder, QStringLiteral("message('two')"), &error));
    EXPECT_EQ(source.Text(), QStringLiteral("message('one')\r\n")) << "no notice yet";
    QCoreApplication::processEvents();
    EXPECT_EQ(source.Text(), QStringLiteral("message('two')\r\n"));
    ASSERT_TRUE(QFile::remove(temp.File("script.vsc")));
    QCoreApplication::processEvents();
    EXPECT_TRUE(source.Text().isEmpty()) << "a removed script runs as the empty one";
}

TEST(ScriptHelpDocument, theInstalledReferenceElseTheInstalledReadmeElseNothing) {
    TempFolder prefix;
    QDir(prefix.Path()).mkpath("bin");
    const QString bin = prefix.File("bin");
    EXPECT_TRUE(ScriptHelpDocument(bin).isEmpty());
    QDir(prefix.Path()).mkpath("share/doc/vantoril");
    prefix.Write("share/doc/vantoril/README.md", "# Vantoril");
    EXPECT_TRUE(ScriptHelpDocument(bin).endsWith("/share/doc/vantoril/README.md"));
    prefix.Write("share/doc/vantoril/script-language.md", "# Язык сценариев");
    EXPECT_TRUE(ScriptHelpDocument(bin).endsWith("/share/doc/vantoril/script-language.md"));
}

}  // namespace
