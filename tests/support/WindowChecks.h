// SPDX-License-Identifier: GPL-3.0-or-later
// What a window owes a keyboard and a screen-reader user, measured on the live widgets:
// captions shown whole, every control on the Tab chain, names and descriptions.
#pragma once

#include <QList>
#include <QStringList>

class QWidget;

// Labels, check and option buttons, push buttons, group box titles and list entries whose
// caption is cut by its control in the control's font, each as "objectName: text".
QStringList CutCaptions(const QWidget& window);

// The controls a user works with: buttons, boxes, lists, fields, sliders, and labels that
// take the focus from Tab (links). The parts of a composite control (a field's scroll
// bars, a spin box's text field) count as that control.
QList<QWidget*> Controls(const QWidget& window);

// Shows and activates the window, then presses Tab from its first focus until the focus
// comes back, and returns the widgets it stopped on in order. A field that keeps Tab for
// itself is left with Ctrl+Tab, as a user would. Empty when the window cannot be activated.
QList<QWidget*> TabChain(QWidget& window);

// The controls of the window whose accessible interface lacks a name or a description.
QStringList ControlsWithoutAccessibleText(const QWidget& window);

// The objectNames of the widgets.
QStringList ObjectNames(const QList<QWidget*>& widgets);

// Saves the window's picture as <VANTORIL_SHOTS_DIR>/<name>-scale<QT_SCALE_FACTOR>.png when
// that folder is set; does nothing otherwise.
void SaveShot(QWidget& window, const QString& name);
