// SPDX-License-Identifier: GPL-3.0-or-later
// Follows the program's focus window to find returns from another window of the program.
#include "core/ui/ActivationWatch.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

// Drop-down lists and menus are pop-ups, tooltips are tooltips: they belong to the window
// that opened them and never make a window of their own for the user.
bool IsPopupOrTooltip(const QWindow& window) {
    const Qt::WindowType type = window.type();
    return type == Qt::Popup || type == Qt::ToolTip;
}

}  // namespace

ActivationWatch::ActivationWatch(QWidget& window) : QObject(&window), window_(window) {
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &ActivationWatch::FocusWindowChanged);
}

void ActivationWatch::FocusWindowChanged(QWindow* focusWindow) {
    if (!focusWindow) {
        otherWindowHadFocus_ = false;  // another application
        return;
    }
    if (IsPopupOrTooltip(*focusWindow)) return;  // the window it came from is still the one
    if (focusWindow == window_.windowHandle()) {
        const bool returned = otherWindowHadFocus_;
        otherWindowHadFocus_ = false;
        if (returned) Q_EMIT returnedFromOtherWindow();
        return;
    }
    otherWindowHadFocus_ = true;
}
