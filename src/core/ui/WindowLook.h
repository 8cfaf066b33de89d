// SPDX-License-Identifier: GPL-3.0-or-later
// What every window of the program shares: the program icon and the place on the screen.
#pragma once

class QIcon;
class QWidget;

// The program icon (a 48x48 image and a scalable drawing).
QIcon ProgramIcon();

// The 8-point dialog font the window layouts (in twips) were made for.
void UseDialogFont(QWidget& window);

// Moves a window to the centre of the screen it is on (the primary one before it is shown).
void CentreOnScreen(QWidget& window);
