// SPDX-License-Identifier: GPL-3.0-or-later
// End to end: the real program meters a made-up connection, and vantoril-history lists it
// from the program's history with the connection's bytes.
#include "TempFolder.h"
#include "XServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <gtest/gtest.h>

namespace {

// 2 MB received and 128 KB sent over six seconds, then down for good.
const char kScenario[] =
    "0 connected 0 0 48000 E2E History\n"
    "3000 connected 2097152 131072 48000 E2E History\n"
    "6000 down\n";

const char kSettings[] =
    "[Vantoril]\r\nType_tar=0\r\nTransparent=255\r\nauto_show=0\r\nhide_start=1\r\n"
    "budget=100\r\nlink_source=scenario:link.scenario\r\n";

// The history tool's list of connections in JSON; empty on any failure.
QJsonArray Connections(const QString& folder) {
    QProcess tool;
    tool.start(QStringLiteral(VANTORIL_HISTORY_TOOL),
               {QStringLiteral("--folder"), folder, QStringLiteral("connections"),
                QStringLiteral("--format"), QStringLiteral("json")});
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0) return {};
    return QJsonDocument::fromJson(tool.readAllStandardOutput()).array();
}

}  // namespace

TEST(HistoryEndToEnd, theProgramsConnectionAppearsInTheHistoryWithItsBytes) {
    if (const QString tool = XServer::MissingTool(); !tool.isEmpty())
        GTEST_SKIP() << "needs " << tool.toStdString() << " for a private X server";
    XServer display;
    if (!display.Running()) GTEST_SKIP() << "Xvfb did not start";
    TempFolder folder;
    TempFolder runtime;
    // The program lives beside its executable: a copy makes the folder its own.
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(VANTORIL_EXECUTABLE), folder.File(QStringLiteral("vantoril"))));
    folder.Write(QStringLiteral("inet.conf"), kSettings);
    folder.Write(QStringLiteral("link.scenario"), kScenario);
    folder.Write(QStringLiteral("tar.money.dat"), QByteArray("\0\0\0\x40", 4));  // 2 a MB
    QDir(folder.Path()).mkdir(QStringLiteral("connections"));

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display.Display());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.Path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), runtime.Path());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));  // no desktop's notifications
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(folder.File(QStringLiteral("vantoril")), QStringList());
    ASSERT_TRUE(program.waitForStarted(5000));

    // While it is up the connection is listed as open; once it is down, closed and booked.
    QJsonArray rows;
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        rows = Connections(folder.Path());
        if (!rows.isEmpty() && !rows[0].toObject()[QStringLiteral("end")].isNull()) break;
        QThread::msleep(250);
    }
    ::kill(pid_t(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(5000));

    ASSERT_EQ(rows.size(), 1) << QJsonDocument(rows).toJson().toStdString();
    const QJsonObject row = rows[0].toObject();
    EXPECT_EQ(row[QStringLiteral("name")].toString(), QStringLiteral("E2E History"));
    EXPECT_FALSE(row[QStringLiteral("end")].isNull()) << "the connection was never closed";
    EXPECT_EQ(row[QStringLiteral("received_bytes")].toInteger(), 2097152);
    EXPECT_EQ(row[QStringLiteral("sent_bytes")].toInteger(), 131072);
    // 2 MB and 0.12 MB (0.125 rounded half to even) at 2 a MB, as the books take it.
    EXPECT_DOUBLE_EQ(row[QStringLiteral("cost")].toDouble(), 4.24);
    EXPECT_FALSE(row[QStringLiteral("cut_short")].toBool());
    EXPECT_TRUE(folder.Exists(QStringLiteral("connections/E2E History.vlg")));
}
