// SPDX-License-Identifier: GPL-3.0-or-later
// Acting on a modal window (dialog or message box) that code under test opens and waits on.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `action` on the next modal window that opens, from inside its event loop. Call it
// before the code that opens the window; the action must close that window. Gives up
// after five seconds, or when `context` goes, so a window that never opens cannot hang
// the test nor touch a later one.
inline void OnNextModal(std::function<void(QWidget*)> action, QObject* context = nullptr) {
    QWidget* const before = QApplication::activeModalWidget();
    auto* timer = new QTimer(context);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, before, action, attempts = 0]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        const bool opened = modal && modal != before && modal->isVisible();
        if (!opened && ++attempts < 1000) return;
        timer->stop();
        timer->deleteLater();
        if (opened) action(modal);
    });
    timer->start();
}
