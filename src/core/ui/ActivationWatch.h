// SPDX-License-Identifier: GPL-3.0-or-later
// Tells a window when the focus comes back to it from another window of the program.
#pragma once

#include <QObject>

class QWidget;
class QWindow;

// A window that reloads on activation needs to know a real return from another window of
// the program (a modal editor closing, the indicator clicked) from the focus coming back
// from its own drop-down list, menu or tooltip, and from switching to another
// application (no focus window of the program in between): only the first is an
// activation.
class ActivationWatch : public QObject {
    Q_OBJECT

public:
    explicit ActivationWatch(QWidget& window);

Q_SIGNALS:
    void returnedFromOtherWindow();

private:
    void FocusWindowChanged(QWindow* focusWindow);

    QWidget& window_;
    bool otherWindowHadFocus_ = false;
};
