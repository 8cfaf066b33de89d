// SPDX-License-Identifier: GPL-3.0-or-later
// The vantoril-script tool: its commands, outputs and exit statuses.
#include "TempFolder.h"
#include "script/ScriptFile.h"
#include "tools/vantoril-script/ScriptTool.h"

#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString kFixtures = QStringLiteral(VANTORIL_SCRIPT_FIXTURES);

struct ToolResult {
    int status;
    QString out;
    QString err;
};

ToolResult Tool(const QStringList& arguments) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = RunScriptTool(arguments, outStream, errStream);
    return ToolResult{status, out, err};
}

QString Fixture(const char* name) {
    return kFixtures + u'/' + QString::fromUtf8(name);
}

}  // namespace

TEST(ScriptToolCheck, reportsNoFaultOrTheFirstFault) {
    const ToolResult clean = Tool({QStringLiteral("check"), Fixture("limit.vsc")});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, QStringLiteral("Ошибок не обнаружено\n"));
    const ToolResult broken = Tool({QStringLiteral("check"), Fixture("broken.vsc")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.out, QStringLiteral("Ошибка на линии 2: ожидается выражение\n"));
}

TEST(ScriptTool, cutsLinesAtCrLfOnlyInAFileThatHoldsOne) {
    TempFolder folder;
    folder.Write(QStringLiteral("linux.vsc"), "; note\nx =\nmessage('a')\n");
    folder.Write(QStringLiteral("mixed.vsc"), "; note\nx =\r\nmessage('a')\nmessage('b')\r\n");
    EXPECT_EQ(Tool({QStringLiteral("check"), folder.File(QStringLiteral("linux.vsc"))}).out,
              QStringLiteral("Ошибка на линии 2: ожидается выражение\n"));
    EXPECT_EQ(Tool({QStringLiteral("check"), folder.File(QStringLiteral("mixed.vsc"))}).out,
              QStringLiteral("Ошибок не обнаружено\n"));
    EXPECT_EQ(Tool({QStringLiteral("run"), QStringLiteral("--folder"), QStringLiteral("/"),
                    folder.File(QStringLiteral("mixed.vsc"))})
                  .out,
              QStringLiteral("message: a\n"));
}

TEST(ScriptToolLint, printsFileLineWarningAndExitsWith1OnlyWithWarnings) {
    TempFolder folder;
    folder.Write(QStringLiteral("traps.vsc"),
                 "; traps\r\nif (MAL > 90) then message('x')\r\n"
                 "disconn()\r\n");
    const QString traps = folder.File(QStringLiteral("traps.vsc"));
    const ToolResult point =
        Tool({QStringLiteral("lint"), traps, QStringLiteral("--locale"), QStringLiteral("C")});
    EXPECT_EQ(point.status, 1);
    EXPECT_EQ(point.out, traps + QStringLiteral(":3: warning: «disconn()» без условия разрывает "
                                                "соединение при каждом выполнении сценария\n"));
    const ToolResult russian =
        Tool({QStringLiteral("lint"), QStringLiteral("--locale"), QStringLiteral("ru_RU"), traps});
    EXPECT_EQ(russian.out.count(u'\n'), 2);
    EXPECT_TRUE(russian.out.startsWith(traps + QStringLiteral(":2: warning: в этой локали «MAL»")))
        << russian.out.toStdString();
    const ToolResult clean = Tool({QStringLiteral("lint"), Fixture("cp1251.vsc")});
    EXPECT_EQ(clean.status, 0);
    EXPECT_TRUE(clean.out.isEmpty());
}

TEST(ScriptToolRun, theShippedSampleWarnsFromFiftyAndAfterAnHour) {
    const QString sample = QStringLiteral(VANTORIL_SOURCE_DIR "/resources/defaults/script.vsc");
    const auto run = [&](const char* mal, const char* tc) {
        return Tool({QStringLiteral("run"), QStringLiteral("--locale"), QStringLiteral("ru_RU"),
                     sample, QString::fromLatin1(mal), QString::fromLatin1(tc)})
            .out;
    };
    EXPECT_EQ(run("MAL=49.99", "TC=3600"), QString());
    EXPECT_EQ(run("MAL=50", "TC=3601"),
              QStringLiteral("message: Потрачено 50 или больше\nmessage: В сети больше часа\n"));
}

TEST(ScriptToolRun, listsTheHostOperationsInOrder) {
    const ToolResult result =
        Tool({QStringLiteral("run"), QStringLiteral("--locale"), QStringLiteral("ru_RU"),
              QStringLiteral("--time"), QStringLiteral("09:05:03"), QStringLiteral("--folder"),
              QStringLiteral("/opt/v"), Fixture("limit.vsc"), QStringLiteral("MAL=95.5"),
              QStringLiteral("TC=3600")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, QStringLiteral("message: Осталось мало\ndisconn\ntimer_script: 60000\n"));
    EXPECT_TRUE(result.err.isEmpty());
}

TEST(ScriptToolRun, honoursLocaleTimeAndFolder) {
    TempFolder folder;
    folder.Write(QStringLiteral("s.vsc"),
                 "var t\r\nt = time()\r\nmessage(t)\r\nmessage(DL)\r\nmessage(AppPath)\r\n"
                 "timer_refresh(70000)\r\n");
    const QString script = folder.File(QStringLiteral("s.vsc"));
    const ToolResult russian =
        Tool({QStringLiteral("run"), QStringLiteral("--time"), QStringLiteral("9:05:03"),
              QStringLiteral("--locale"), QStringLiteral("ru_RU"), QStringLiteral("--folder"),
              QStringLiteral("/opt/v"), script, QStringLiteral("DL=12.5")});
    EXPECT_EQ(russian.status, 0);
    EXPECT_TRUE(russian.out.startsWith(
        QStringLiteral("message: 9:05:03\nmessage: 12,5\nmessage: /opt/v/\nerror 380: ")))
        << russian.out.toStdString();
    const ToolResult point =
        Tool({QStringLiteral("run"), script, QStringLiteral("--locale"), QStringLiteral("C"),
              QStringLiteral("--folder"), QStringLiteral("/"), QStringLiteral("DL=12.5")});
    EXPECT_TRUE(point.out.contains(QStringLiteral("message: 12.5\nmessage: /\n")))
        << point.out.toStdString();
}

TEST(ScriptToolRun, readsWindows1251Scripts) {
    const ToolResult result = Tool({QStringLiteral("run"), QStringLiteral("--folder"),
                                    QStringLiteral("/opt"), Fixture("cp1251.vsc")});
    EXPECT_EQ(result.out, QStringLiteral("message: Привет\n"));
}

TEST(ScriptTool, refusesUnreadableFilesWithStatus2) {
    TempFolder folder;
    for (const QString& command :
         {QStringLiteral("check"), QStringLiteral("lint"), QStringLiteral("run")}) {
        const ToolResult missing = Tool({command, folder.File(QStringLiteral("none.vsc"))});
        EXPECT_EQ(missing.status, 2);
        EXPECT_TRUE(missing.out.isEmpty());
        EXPECT_TRUE(missing.err.contains(QStringLiteral("cannot read")))
            << missing.err.toStdString();
        EXPECT_EQ(Tool({command, folder.Path()}).status, 2);
    }
}

TEST(ScriptTool, readsOnlyWhatTheProgramWouldRead) {
    TempFolder folder;
    QFile large(folder.File(QStringLiteral("large.vsc")));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(kScriptFileLimit + 1));
    const QString fifo = folder.File(QStringLiteral("fifo.vsc"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {large.fileName(), fifo, QStringLiteral("/dev/zero")}) {
        for (const char* command : {"check", "lint", "run"}) {
            const ToolResult result = Tool({QLatin1String(command), path});
            EXPECT_TRUE(result.status == 2 && (result.err.contains("larger than 16 MiB") ||
                                               result.err.contains("not a regular file")))
                << result.err.toStdString();
        }
    }
}

TEST(ScriptTool, refusesWrongArgumentsWithStatus2AndSaysWhy) {
    const QString file = Fixture("limit.vsc");
    const QList<QStringList> wrong = {
        {},
        {QStringLiteral("lint")},
        {QStringLiteral("lint"), file, file},
        {QStringLiteral("lint"), file, QStringLiteral("--time"), QStringLiteral("9:00:00")},
        {QStringLiteral("lint"), QStringLiteral("--locale"), QStringLiteral("xx_nowhere"), file},
        {QStringLiteral("check")},
        {QStringLiteral("check"), file, file},
        {QStringLiteral("run")},
        {QStringLiteral("run"), file, QStringLiteral("XX=1")},
        {QStringLiteral("run"), file, QStringLiteral("DL=1,5")},
        {QStringLiteral("run"), file, QStringLiteral("TC=1.5")},
        {QStringLiteral("run"), file, QStringLiteral("DL")},
        {QStringLiteral("run"), file, QStringLiteral("DL=1e40")},
        {QStringLiteral("run"), QStringLiteral("--locale"), QStringLiteral("xx_nowhere"), file},
        {QStringLiteral("run"), QStringLiteral("--time"), QStringLiteral("25:00:00"), file},
        {QStringLiteral("run"), QStringLiteral("--colour"), QStringLiteral("red"), file},
        {QStringLiteral("run"), file, QStringLiteral("--folder")},
    };
    for (const QStringList& arguments : wrong) {
        const ToolResult result = Tool(arguments);
        EXPECT_EQ(result.status, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("usage:"))) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
}
