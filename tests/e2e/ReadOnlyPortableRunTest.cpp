// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started from a portable folder it cannot write: it says so, works from
// the per-user folder with the portable folder's files, and books there.
#include "ReadOnlyFolder.h"
#include "TempFolder.h"
#include "XServer.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

const char kScenario[] =
    "0 connected 0 0 48000 Portable Line\n"
    "3000 connected 1048576 0 48000 Portable Line\n"
    "3500 down\n";

}  // namespace

TEST(ReadOnlyPortableRun, isSaidOnceAndTheProgramWorksFromThePerUserFolder) {
    if (const QString tool = XServer::MissingTool(); !tool.isEmpty())
        GTEST_SKIP() << "needs " << tool.toStdString() << " for a private X server";
    const XServer display;
    if (!display.Running()) GTEST_SKIP() << "Xvfb did not start";

    TempFolder portable;
    TempFolder home;
    TempFolder runtime;
    ASSERT_TRUE(QFile::copy(QStringLiteral(VANTORIL_EXECUTABLE), portable.File("vantoril")));
    runtime.Write(QStringLiteral("link.scenario"), kScenario);
    const QByteArray settings =
        "[Vantoril]\r\nType_tar=0\r\nTransparent=255\r\nhide_start=1\r\n"
        "link_source=scenario:" +
        runtime.File(QStringLiteral("link.scenario")).toUtf8() + "\r\n";
    portable.Write(QStringLiteral("inet.conf"), settings);
    portable.Write(QStringLiteral("tar.money.dat"), QByteArray("\0\0\0\x40", 4));  // 2 a MB
    portable.Write(QStringLiteral("connections/Portable Line.vlg"), "[Statistic]\r\n01.2000=5\r\n");
    const ReadOnlyFolder readOnly(portable.Path());
    if (!readOnly.Made()) GTEST_SKIP() << "no way here to make a folder read-only for root";

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display.Display());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.Path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime.Path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.Path());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(portable.File(QStringLiteral("vantoril")), QStringList());
    ASSERT_TRUE(program.waitForStarted(5000));

    // The message, and only one.
    ASSERT_TRUE(display.WaitForWindow(QStringLiteral("^Vantoril$"), 8000)) << "nothing said";
    EXPECT_EQ(display.FindWindows(QStringLiteral("^Vantoril$")).size(), 1);

    // The portable folder's settings and statistics carry on in the per-user folder.
    EXPECT_EQ(home.Read(QStringLiteral("Vantoril/inet.conf")), settings);
    const QString book = QStringLiteral("Vantoril/connections/Portable Line.vlg");
    ASSERT_TRUE(WaitFor(
        [&] {
            return home.Read(book).contains("\r\n01.2000=5\r\n") && home.Read(book).count('=') == 2;
        },
        15000))
        << home.Read(book).toStdString();
    program.kill();
    program.waitForFinished(5000);
}
