// SPDX-License-Identifier: GPL-3.0-or-later
// The INI layer: private-profile reading, single-key writes in place, atomic saves.
#include "TempFolder.h"
#include "core/AtomicFile.h"
#include "core/IniFile.h"

#include <QDir>
#include <QSaveFile>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct IniFileTest : ::testing::Test {
    TempFolder folder;
    QString path = folder.File("inet.conf");
};

}  // namespace

TEST_F(IniFileTest, missingFileSectionOrKeyReadsAsEmpty) {
    EXPECT_EQ(ReadIni("Vantoril", "full", path), "");
    folder.Write("inet.conf", "[Other]\r\nfull=1\r\n");
    EXPECT_EQ(ReadIni("Vantoril", "full", path), "");
    EXPECT_EQ(ReadIni("Other", "half", path), "");
    EXPECT_EQ(ReadIni("Other", "full", path), "1");
}

TEST_F(IniFileTest, namesMatchWithoutCaseAndValuesAreTrimmed) {
    folder.Write("inet.conf", "[vantoril]\nTYPE_TAR =  1 \n  full=\"quoted\"\n");
    EXPECT_EQ(ReadIni("Vantoril", "type_tar", path), "1");
    EXPECT_EQ(ReadIni("VANTORIL", "Full", path), "quoted");
}

TEST_F(IniFileTest, theFirstOfDuplicateKeysAndSectionsCounts) {
    folder.Write("inet.conf", "[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
    EXPECT_EQ(ReadIni("A", "k", path), "1");
    EXPECT_EQ(ReadIni("A", "j", path), "");
}

TEST_F(IniFileTest, longValuesAreCutTo254Characters) {
    folder.Write("inet.conf", "[A]\r\nk=" + QByteArray(300, 'x') + "\r\n");
    EXPECT_EQ(ReadIni("A", "k", path), QString(254, u'x'));
}

TEST_F(IniFileTest, writeChangesOneLineInPlaceAndKeepsEveryOtherByte) {
    folder.Write("inet.conf", "; my notes\n[Vantoril]\nfull=0\nmine = keep me\n\n[Other]\nx=1");
    ASSERT_TRUE(WriteIni("Vantoril", "FULL", "1", path));
    EXPECT_EQ(folder.Read("inet.conf"),
              "; my notes\n[Vantoril]\nFULL=1\nmine = keep me\n\n[Other]\nx=1");
    ASSERT_TRUE(WriteIni("Other", "y", "2", path));  // after a last line without its end
    EXPECT_EQ(folder.Read("inet.conf"),
              "; my notes\n[Vantoril]\nFULL=1\nmine = keep me\n\n[Other]\nx=1\r\ny=2\r\n");
}

TEST_F(IniFileTest, newKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd) {
    folder.Write("inet.conf", "[Statistic]\r\n01.2026=5\r\n\r\n[Other]\r\nx=1\r\n");
    ASSERT_TRUE(WriteIni("Statistic", "02.2026", "7", path));
    ASSERT_TRUE(WriteIni("New", "k", "v", path));
    EXPECT_EQ(folder.Read("inet.conf"),
              "[Statistic]\r\n01.2026=5\r\n02.2026=7\r\n\r\n[Other]\r\nx=1\r\n[New]\r\nk=v\r\n");
}

TEST_F(IniFileTest, writeCreatesAMissingFile) {
    ASSERT_TRUE(WriteIni("Statistic", "03.2026", "3", path));
    EXPECT_EQ(folder.Read("inet.conf"), "[Statistic]\r\n03.2026=3\r\n");
}

TEST_F(IniFileTest, aLineBreakInAValueCannotInjectAKey) {
    ASSERT_TRUE(WriteIni("A", "k", "1\r\nevil=2", path));
    EXPECT_EQ(ReadIni("A", "evil", path), "");
    EXPECT_EQ(ReadIni("A", "k", path), "1  evil=2");
}

TEST_F(IniFileTest, keysAreListedInFileOrder) {
    folder.Write("inet.conf", "[Statistic]\n03.2008=12,5\nnot a key\n01.2008=1\n[X]\ny=2\n");
    EXPECT_EQ(IniFile::Load(path).Keys("statistic"), QStringList({"03.2008", "01.2008"}));
    EXPECT_TRUE(IniFile::Load(path).Keys("Missing").isEmpty());
}

TEST_F(IniFileTest, handEditedGarbageNeverEndsTheProgram) {
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) garbage += char(i * 37 % 256);
    folder.Write("inet.conf", garbage + "\n[A]\nk=" + QByteArray(1 << 20, 'z') + "\n");
    EXPECT_EQ(ReadIni("A", "k", path).size(), 254);
    EXPECT_TRUE(WriteIni("A", "k", "1", path));
    EXPECT_EQ(ReadIni("A", "k", path), "1");
}

TEST_F(IniFileTest, aFolderWhereTheFileShouldBeReadsEmptyAndFailsToWrite) {
    QDir().mkpath(path);
    EXPECT_EQ(ReadIni("A", "k", path), "");
    EXPECT_FALSE(WriteIni("A", "k", "1", path));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(IniFileTest, windowsCyrillicFilesStillRead) {
    folder.Write("inet.conf", "[A]\nname=\xcc\xee\xe9\n");  // "Мой" in Windows-1251
    EXPECT_EQ(ReadIni("A", "name", path), QString::fromUtf8("Мой"));
}

TEST_F(IniFileTest, aCrashBeforeTheRenameLeavesTheOldFileWhole) {
    folder.Write("inet.conf", "[A]\r\nk=old\r\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Everything of a save but its last step, then the process dies.
        QSaveFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("[A]\r\nk=new\r\n");
        file.flush();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(folder.Read("inet.conf"), "[A]\r\nk=old\r\n");
    EXPECT_TRUE(WriteIni("A", "k", "next", path));
    EXPECT_EQ(ReadIni("A", "k", path), "next");
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList{"inet.conf"});
}

TEST_F(IniFileTest, aWriteThatCannotBeDoneSaysWhy) {
    folder.Write("plain", "not a folder");
    QString error;
    EXPECT_FALSE(ReplaceFileAtomically(folder.File("plain/inet.conf"), "new", &error));
    EXPECT_TRUE(error.contains("plain/inet.conf")) << error.toStdString();
    EXPECT_EQ(folder.Read("plain"), "not a folder");
}

TEST_F(IniFileTest, eachLineHasItsOwnEncodingAndUnsetLinesKeepTheirBytes) {
    // UTF-8 throughout but for one Windows-1251 byte in a comment.
    const QByteArray before =
        "; \xEA\xEE\xEC\xEC\xE5\xED\xF2\r\n[Vantoril]\r\n"
        "link_source=scenario:\xD0\xA1\xD1\x86\xD0\xB5\xD0\xBD\xD0\xB0\xD1\x80\xD0\xB8\xD0\xB9."
        "scn\r\n"
        "full=0\r\n";
    folder.Write("inet.conf", before);
    EXPECT_EQ(ReadIni("Vantoril", "link_source", path), QString::fromUtf8("scenario:Сценарий.scn"));
    ASSERT_TRUE(WriteIni("Vantoril", "full", "1", path));
    QByteArray expected = before;
    expected.replace("full=0", "full=1");
    EXPECT_EQ(folder.Read("inet.conf"), expected);
    EXPECT_EQ(IniFile::Parse("; \xEA\xEE\xEC\r\n").Keys("x"), QStringList());
}

TEST_F(IniFileTest, aLoneCrEndsALineAsCrLfAndLfDo) {
    folder.Write("inet.conf", "[Vantoril]\rfull=0\rauto_show=1\r\n[B]\nk=2\r");
    EXPECT_EQ(ReadIni("Vantoril", "full", path), "0");
    EXPECT_EQ(ReadIni("Vantoril", "auto_show", path), "1");
    EXPECT_EQ(ReadIni("B", "k", path), "2");
    ASSERT_TRUE(WriteIni("Vantoril", "full", "1", path));
    EXPECT_EQ(folder.Read("inet.conf"), "[Vantoril]\rfull=1\rauto_show=1\r\n[B]\nk=2\r");
}

TEST_F(IniFileTest, aByteOrderMarkIsKeptAndNotPartOfTheFirstLine) {
    folder.Write("inet.conf", "\xEF\xBB\xBF[A]\r\nk=1\r\n");
    EXPECT_EQ(ReadIni("A", "k", path), "1");
    ASSERT_TRUE(WriteIni("A", "k", "2", path));
    EXPECT_EQ(folder.Read("inet.conf"), "\xEF\xBB\xBF[A]\r\nk=2\r\n");
}

TEST_F(IniFileTest, aFileNotReadWholeIsNeverRewritten) {
    const QByteArray big = "[A]\r\nk=1\r\n" + QByteArray(100, ';');
    folder.Write("inet.conf", big);
    IniFile ini = IniFile::Load(path, 64);
    EXPECT_EQ(ini.Value("A", "k"), "");
    EXPECT_TRUE(ini.ReadProblem().contains(path)) << ini.ReadProblem().toStdString();
    ini.SetValue("A", "k", "2");
    QString error;
    EXPECT_FALSE(ini.Save(path, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Файл не изменён"))) << error.toStdString();
    EXPECT_EQ(folder.Read("inet.conf"), big);
}
