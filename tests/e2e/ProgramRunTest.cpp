// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on a made-up connection, in a private X server and program folder.
#include "TempFolder.h"
#include "XServer.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <gtest/gtest.h>

namespace {
// Connected for 8 seconds with 1 MB received, then down for good.
const char kScenario[] =
    "0 connected 0 0 48000 E2E Line\n"
    "8000 connected 1048576 65536 48000 E2E Line\n"
    "8500 down\n";

const char kSettings[] =
    "[Vantoril]\r\nType_tar=0\r\nTransparent=255\r\nauto_show=1\r\nhide_start=1\r\nfull=1\r\n"
    "i_left=1500\r\ni_top=750\r\nlink_source=scenario:link.scenario\r\n";

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        if (const QString tool = XServer::MissingTool(); !tool.isEmpty())
            GTEST_SKIP() << "needs " << tool.toStdString() << " for a private X server";
        if (!display.Running()) GTEST_SKIP() << "Xvfb did not start";
        // The program lives beside its executable: a copy makes the folder its own.
        ASSERT_TRUE(QFile::copy(QStringLiteral(VANTORIL_EXECUTABLE),
                                folder.File(QStringLiteral("vantoril"))));
        folder.Write(QStringLiteral("inet.conf"), kSettings);
        folder.Write(QStringLiteral("link.scenario"), kScenario);
        folder.Write(QStringLiteral("tar.money.dat"), QByteArray("\0\0\0\x40", 4));  // 2 a MB
        QDir(folder.Path()).mkdir(QStringLiteral("connections"));
    }

    void Start(QProcess& program) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display.Display());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.Path());  // the instance lock
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime.Path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(folder.File(QStringLiteral("vantoril")), QStringList());
        ASSERT_TRUE(program.waitForStarted(5000));
    }

    XServer display;
    TempFolder folder;
    TempFolder runtime;
};
}  // namespace

TEST_F(ProgramRun, startsShowsTheIndicatorRefusesASecondStartAndKeepsItsFiles) {
    QProcess first;
    Start(first);
    // The watcher shows the indicator within 2 seconds of the connection; its caption
    // is the connection's name.
    ASSERT_TRUE(display.WaitForWindow(QStringLiteral("^E2E Line$"), 8000));

    QProcess second;
    Start(second);
    ASSERT_TRUE(display.WaitForWindow(QStringLiteral("^Vantoril$"), 8000)) << "no warning box";
    const QStringList boxes = display.FindWindows(QStringLiteral("^Vantoril$"));
    display.PressKey(boxes.last(), QStringLiteral("Return"));
    ASSERT_TRUE(second.waitForFinished(5000)) << "the second start did not end after its box";
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // The connection ends: its cost is booked to this month.
    const QString book = QStringLiteral("connections/E2E Line.vlg");
    ASSERT_TRUE(WaitFor([&] { return folder.Exists(book); }, 12000)) << "nothing booked";
    const QString booked = QString::fromUtf8(folder.Read(book));
    EXPECT_TRUE(booked.startsWith(QStringLiteral("[Statistic]\r\n") +
                                  QDate::currentDate().toString(QStringLiteral("MM.yyyy")) +
                                  QLatin1Char('=')))
        << booked.toStdString();

    // The end of the session is an orderly exit: the indicator's position is stored.
    ::kill(pid_t(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(5000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    const QString conf = QString::fromUtf8(folder.Read(QStringLiteral("inet.conf")));
    EXPECT_TRUE(conf.contains(QStringLiteral("i_left=1500\r\n"))) << conf.toStdString();
    EXPECT_TRUE(conf.contains(QStringLiteral("i_top=750\r\n")));
    EXPECT_TRUE(conf.contains(QStringLiteral("link_source=scenario:link.scenario\r\n")));

    QStringList files = QDir(folder.Path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    files.sort();
    EXPECT_EQ(files, QStringList({QStringLiteral("history.sqlite"), QStringLiteral("inet.conf"),
                                  QStringLiteral("link.scenario"), QStringLiteral("tar.dat"),
                                  QStringLiteral("tar.money.dat"), QStringLiteral("vantoril")}));
}
