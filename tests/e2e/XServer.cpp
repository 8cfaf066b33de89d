// SPDX-License-Identifier: GPL-3.0-or-later
// Xvfb and xdotool for the end-to-end tests.
#include "XServer.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

XServer::XServer() {
    // Xvfb picks a free display itself and writes its number once it accepts clients,
    // so tests running side by side never race for a display.
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), QStringLiteral("1024x600x24"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp")});
    const QDeadlineTimer deadline(10000);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired() &&
           server_.waitForReadyRead(int(deadline.remainingTime())))
        output += server_.readAllStandardOutput();
    bool ok = false;
    const int number = output.trimmed().toInt(&ok);
    if (ok) display_ = QStringLiteral(":%1").arg(number);
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

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (condition()) return true;
        QThread::msleep(100);
    }
    return condition();
}

bool XServer::WaitForWindow(const QString& namePattern, int timeoutMs) const {
    return WaitFor([&] { return !FindWindows(namePattern).isEmpty(); }, timeoutMs);
}

void XServer::PressKey(const QString& window, const QString& key) const {
    // Without a window manager nothing gives the focus: take it, then type.
    Run({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    Run({QStringLiteral("key"), key});
}
