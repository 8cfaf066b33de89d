// SPDX-License-Identifier: GPL-3.0-or-later
// End to end: the real program, in a program folder of its own under Xvfb, books a
// made-up connection's cost into connections/<name>.vlg when the connection ends.
#include "TempFolder.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// 1.5 MB received over a connection that goes down after eight seconds.
const char kScenario[] =
    "0 down\n"
    "1000 connected 0 0 115200 E2E ISP\n"
    "3000 connected 1572864 0 115200 E2E ISP\n"
    "7000 connected 1572864 0 115200 E2E ISP\n"
    "8000 down\n";

const char kSettings[] =
    "[Vantoril]\r\nType_tar=0\r\nauto_show=1\r\nhide_start=1\r\n"
    "link_source=scenario:e2e.scenario\r\n";

// Every hour class 0; every class costs 2 per MB.
QByteArray HourTable() {
    return QByteArray(24 * 2, '\0');
}
QByteArray PriceTable() {
    QByteArray bytes(4 * 4, '\0');
    for (int i = 0; i < 4; ++i) qToLittleEndian(2.0f, bytes.data() + 4 * i);
    return bytes;
}

QString MonthKey(const QDate& date) {
    return date.toString(QStringLiteral("MM.yyyy"));
}

}  // namespace

TEST(StatisticsEndToEnd, scenarioConnectionOfOneAndAHalfMegabytesAtTwoPerMegabyteBooksThree) {
    const QString program = QStringLiteral(VANTORIL_PROGRAM);
    if (program.isEmpty()) GTEST_SKIP() << "the program (target vantoril) is not built";
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty()) GTEST_SKIP() << "xvfb-run is not installed";

    // The program folder is the folder of the executable, so the program is copied there.
    TempFolder folder;
    TempFolder runtime;  // its own single-instance lock, apart from any running copy
    const QString copy = folder.File(QStringLiteral("vantoril"));
    ASSERT_TRUE(QFile::copy(program, copy));
    folder.Write(QStringLiteral("e2e.scenario"), kScenario);
    folder.Write(QStringLiteral("inet.conf"), kSettings);
    folder.Write(QStringLiteral("tar.dat"), HourTable());
    folder.Write(QStringLiteral("tar.money.dat"), PriceTable());

    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.Path());
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    run.setProcessEnvironment(environment);
    // A group of its own, so that xvfb-run, Xvfb and the program all end together.
    run.setChildProcessModifier([] { ::setsid(); });
    const QDate startDay = QDate::currentDate();
    run.start(xvfbRun, {QStringLiteral("-a"), copy});
    ASSERT_TRUE(run.waitForStarted()) << run.errorString().toStdString();

    const QString booked = QStringLiteral("connections/E2E ISP.vlg");
    QDeadlineTimer deadline(60000);
    while (!folder.Exists(booked) && !deadline.hasExpired() && run.state() == QProcess::Running)
        QThread::msleep(200);
    QThread::msleep(300);  // let a replacement that is under way finish
    const QByteArray bytes = folder.Read(booked);
    const QByteArray output = run.readAllStandardError();
    if (run.state() == QProcess::Running) ::kill(-pid_t(run.processId()), SIGTERM);
    run.waitForFinished(10000);

    ASSERT_TRUE(folder.Exists(booked))
        << "nothing booked; the program said: " << output.constData();
    const QByteArray expected = "[Statistic]\r\n" + MonthKey(startDay).toLatin1() + "=3\r\n";
    const QByteArray nextMonth =
        "[Statistic]\r\n" + MonthKey(QDate::currentDate()).toLatin1() + "=3\r\n";
    EXPECT_TRUE(bytes == expected || bytes == nextMonth) << bytes.constData();
}
