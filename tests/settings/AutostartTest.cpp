// SPDX-License-Identifier: GPL-3.0-or-later
// The XDG autostart entry: written, read back exactly, and foreign files read as off.
#include "TempFolder.h"
#include "settings/Autostart.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

constexpr char kEntry[] = "autostart/Vantoril.desktop";

struct AutostartTest : ::testing::Test {
    TempFolder config;
    const QString program = QStringLiteral("/opt/vantoril/vantoril");
    Autostart autostart{program, config.Path()};

    // A hand-made entry with the given Exec line and extra lines.
    void WriteEntry(const QByteArray& exec, const QByteArray& extra = {}) {
        config.Write(kEntry, "[Desktop Entry]\nType=Application\nName=Vantoril\nExec=" + exec +
                                 "\n" + extra);
    }
};

}  // namespace

TEST_F(AutostartTest, noEntryReadsAsOff) {
    EXPECT_FALSE(autostart.IsAutostartEnabled());
}

TEST_F(AutostartTest, enablingWritesAValidEntryThatReadsAsOn) {
    ASSERT_TRUE(autostart.EnableAutostart());
    EXPECT_EQ(config.Read(kEntry),
              "[Desktop Entry]\nType=Application\nName=Vantoril\n"
              "Comment=Traffic and cost meter of the network connection\n"
              "Exec=/opt/vantoril/vantoril\nTerminal=false\n"
              "X-GNOME-Autostart-Phase=Applications\nX-GNOME-Autostart-Delay=2\n"
              "X-KDE-autostart-after=panel\nX-LXQt-Need-Tray=true\nX-MATE-Autostart-Delay=2\n");
    EXPECT_TRUE(autostart.IsAutostartEnabled());

    WriteEntry("/opt/vantoril/vantoril", "Terminal=false\n");
    EXPECT_TRUE(autostart.IsAutostartEnabled()) << "an entry written without the desktop hints";
}

TEST_F(AutostartTest, pathsWithSpecialCharactersAreQuotedAndReadBack) {
    const Autostart blanks(QStringLiteral("/home/anna/My Programs/vantoril"), config.Path());
    ASSERT_TRUE(blanks.EnableAutostart());
    EXPECT_TRUE(config.Read(kEntry).contains("\nExec=\"/home/anna/My Programs/vantoril\"\n"));
    EXPECT_TRUE(blanks.IsAutostartEnabled());

    // Inside quotes `$`, `"` and `\` get a backslash, `%` is doubled, and the value's own
    // escaping doubles every backslash once more.
    const Autostart odd(QStringLiteral("/tmp/a b/$x\"y\\z%/vantoril"), config.Path());
    ASSERT_TRUE(odd.EnableAutostart());
    EXPECT_TRUE(config.Read(kEntry).contains(R"(Exec="/tmp/a b/\\$x\\"y\\\\z%%/vantoril")"));
    EXPECT_TRUE(odd.IsAutostartEnabled());
    EXPECT_FALSE(blanks.IsAutostartEnabled());
}

TEST_F(AutostartTest, movedProgramReadsAsOffUntilEnabledAgain) {
    ASSERT_TRUE(autostart.EnableAutostart());
    const Autostart moved(QStringLiteral("/home/anna/vantoril/vantoril"), config.Path());
    EXPECT_FALSE(moved.IsAutostartEnabled());

    ASSERT_TRUE(moved.EnableAutostart());
    EXPECT_TRUE(moved.IsAutostartEnabled());
    EXPECT_FALSE(autostart.IsAutostartEnabled());
}

TEST_F(AutostartTest, pathComparisonIsExactIncludingLetterCase) {
    WriteEntry("/OPT/vantoril/vantoril");
    EXPECT_FALSE(autostart.IsAutostartEnabled());
    WriteEntry("/opt/vantoril/vantoril ");
    EXPECT_TRUE(autostart.IsAutostartEnabled()) << "trailing blanks of a value do not count";
    WriteEntry("/opt/vantoril/vantoril2");
    EXPECT_FALSE(autostart.IsAutostartEnabled());
}

TEST_F(AutostartTest, handWrittenEntriesOfThisProgramReadAsOn) {
    WriteEntry("\"/opt/vantoril/vantoril\"");
    EXPECT_TRUE(autostart.IsAutostartEnabled()) << "quotes that are not needed";
    config.Write(kEntry,
                 "# made by hand\r\n[Desktop Entry]\r\nType = Application\r\n"
                 "Exec=/opt/vantoril/vantoril\r\n[Desktop Action x]\r\nExec=other\r\n");
    EXPECT_TRUE(autostart.IsAutostartEnabled()) << "CR LF line ends, comment, other group";
}

TEST_F(AutostartTest, foreignOrBrokenEntriesReadAsOff) {
    WriteEntry("/opt/vantoril/vantoril", "Hidden=true\n");
    EXPECT_FALSE(autostart.IsAutostartEnabled()) << "switched off by the desktop";
    WriteEntry("/opt/vantoril/vantoril", "X-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(autostart.IsAutostartEnabled()) << "switched off by GNOME";
    WriteEntry("/opt/vantoril/vantoril --minimized");
    EXPECT_FALSE(autostart.IsAutostartEnabled()) << "other arguments";
    WriteEntry("/opt/vantoril/vantoril %U");
    EXPECT_FALSE(autostart.IsAutostartEnabled()) << "field code";
    WriteEntry("\"/opt/vantoril/vantoril");
    EXPECT_FALSE(autostart.IsAutostartEnabled()) << "unclosed quote";
    config.Write(kEntry, "[Desktop Entry]\nType=Link\nExec=/opt/vantoril/vantoril\n");
    EXPECT_FALSE(autostart.IsAutostartEnabled()) << "not an application";
    config.Write(kEntry, "[Other]\nType=Application\nExec=/opt/vantoril/vantoril\n");
    EXPECT_FALSE(autostart.IsAutostartEnabled()) << "keys outside the entry group";
    config.Write(kEntry, QByteArray("\xff\xfe\x00\x01garbage", 11));
    EXPECT_FALSE(autostart.IsAutostartEnabled()) << "binary garbage";
}

TEST_F(AutostartTest, oversizedFileOrFolderInPlaceOfTheEntryReadsAsOff) {
    WriteEntry("/opt/vantoril/vantoril", QByteArray(100 * 1024, '#'));
    EXPECT_FALSE(autostart.IsAutostartEnabled());
    const Autostart folderInstead(program, config.Path() + "/folder-test");
    ASSERT_TRUE(QDir().mkpath(config.File("folder-test/autostart/Vantoril.desktop")));
    EXPECT_FALSE(folderInstead.IsAutostartEnabled());
    EXPECT_FALSE(folderInstead.DisableAutostart());
}

TEST_F(AutostartTest, enablingReplacesAForeignEntry) {
    config.Write(kEntry, "[Desktop Entry]\nType=Link\nURL=https://example.org\n");
    ASSERT_TRUE(autostart.EnableAutostart());
    EXPECT_TRUE(autostart.IsAutostartEnabled());
    EXPECT_FALSE(config.Read(kEntry).contains("URL="));
}

TEST_F(AutostartTest, disablingDeletesTheEntryAndAMissingOneIsNoFailure) {
    EXPECT_TRUE(autostart.DisableAutostart());
    ASSERT_TRUE(autostart.EnableAutostart());
    EXPECT_TRUE(autostart.DisableAutostart());
    EXPECT_FALSE(config.Exists(kEntry));
    EXPECT_FALSE(autostart.IsAutostartEnabled());
}

TEST_F(AutostartTest, unwritableConfigFolderFailsQuietly) {
    config.Write("not-a-folder", "x");
    const Autostart blocked(program, config.File("not-a-folder"));
    EXPECT_FALSE(blocked.EnableAutostart());
    EXPECT_FALSE(blocked.IsAutostartEnabled());

    // Without a home there is no config folder: nothing may land at the file system's root.
    const Autostart homeless(program, QString());
    EXPECT_FALSE(homeless.EnableAutostart());
    EXPECT_FALSE(homeless.DisableAutostart());
    EXPECT_FALSE(homeless.IsAutostartEnabled());
    EXPECT_FALSE(QFile::exists("/autostart/Vantoril.desktop"));
}
