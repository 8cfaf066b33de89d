// SPDX-License-Identifier: GPL-3.0-or-later
// The program icon from the resources and the centring of windows.
#include "core/ui/WindowLook.h"

#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

QIcon ProgramIcon() {
    QIcon icon(QStringLiteral(":/vantoril.png"));
    icon.addFile(QStringLiteral(":/vantoril.svg"));
    return icon;
}

void UseDialogFont(QWidget& window) {
    QFont font = window.font();
    font.setPointSize(8);
    window.setFont(font);
}

void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.isVisible() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}
