// Xvfb and xdotool for the end-to-end tests.
#include "XServer.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

XServer::XServer() {
    for (int number = 70; number < 170 && display_.isEmpty(); ++number) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
            QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        server_.start(
            QStringLiteral("Xvfb"),
            {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"), QStringLiteral("0"),
             QStringLiteral("1024x600x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
        server_.waitForStarted(5000);
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && server_.state() == QProcess::Running &&
               !QFileInfo::exists(socket))
            QThread::msleep(20);
        if (server_.state() == QProcess::Running && QFileInfo::exists(socket))
            display_ = QStringLiteral(":%1").arg(number);
        else
            server_.kill(), server_.waitForFinished();
    }
}

XServer::~XServer() {
    server_.terminate();
    if (!server_.waitForFinished(3000)) server_.kill(), server_.waitForFinished();
}

QString XServer::MissingTool() {
    for (const QString& tool : {QStringLiteral("Xvfb"), QStringLiteral("xdotool")})
        if (QStandardPaths::findExecutable(tool).isEmpty()) return tool;
    return {};
}

QString XServer::Run(const QStringList& arguments) const {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(5000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

QStringList XServer::FindWindows(const QString& namePattern) const {
    return Run({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                namePattern})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool XServer::WaitForWindow(const QString& namePattern, int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (!FindWindows(namePattern).isEmpty()) return true;
        QThread::msleep(100);
    }
    return false;
}

void XServer::PressKey(const QString& window, const QString& key) const {
    // Without a window manager nothing gives the focus: take it, then type.
    Run({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    Run({QStringLiteral("key"), key});
}
