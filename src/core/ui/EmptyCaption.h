// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps a window's empty caption empty on X11.
#pragma once

#include <QObject>

class QWidget;

// Qt gives a window whose title is empty the program's name as its X11 caption
// (_NET_WM_NAME). Made a child of the window, this writes the empty caption back whenever
// the title is set or the window's X11 window is made anew; elsewhere it does nothing.
class EmptyCaption final : public QObject {
    Q_OBJECT
public:
    explicit EmptyCaption(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply();

    QWidget* window_;
};
