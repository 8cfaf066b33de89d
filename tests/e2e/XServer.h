// SPDX-License-Identifier: GPL-3.0-or-later
// A private X server (Xvfb) for one test, and the xdotool queries the tests make of it.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// Asks `condition` every 100 ms for up to `timeoutMs`, and once more at the end: the
// program under test runs in a process of its own.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs);

class XServer {
public:
    XServer();   // starts Xvfb on a free display; Running() says whether it came up
    ~XServer();  // stops it

    bool Running() const { return !display_.isEmpty(); }
    const QString& Display() const { return display_; }

    // The ids of the visible windows whose name matches the pattern (xdotool's regular expression).
    QStringList FindWindows(const QString& namePattern) const;
    // Waits up to `timeoutMs` for such a window.
    bool WaitForWindow(const QString& namePattern, int timeoutMs) const;
    void PressKey(const QString& window, const QString& key) const;

    // The tools the tests need, or the name of the first one missing.
    static QString MissingTool();

private:
    QString Run(const QStringList& arguments) const;

    QProcess server_;
    QString display_;
};
