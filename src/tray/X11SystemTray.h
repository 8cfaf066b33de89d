// SPDX-License-Identifier: GPL-3.0-or-later
// The X11 system tray: whether it is there, and word from the X server when that changes.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

// The X11 system tray of the display's default screen has an owner; false off X11.
bool X11SystemTrayPresent();

// Calls `changed` from the event loop whenever the tray's selection changes hands (a tray
// starts, quits or dies), for as long as the returned object lives. The X server says so
// through the XFixes extension; null off X11 or when the server lacks that extension.
std::unique_ptr<QObject> FollowX11SystemTray(std::function<void()> changed);
