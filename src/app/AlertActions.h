// SPDX-License-Identifier: GPL-3.0-or-later
// The next steps an alert about money or the connection offers the user.
#pragma once

#include "tray/ui/DesktopNotifier.h"

#include <cstdint>
#include <functional>

class LinkSource;

// "Отключиться" hangs up `connection`, the one that was up when the alert was raised, and
// never a connection made since; it is offered only while one is up (`connection` not
// 0). "История" opens the history window. The link must outlive the actions.
QList<NotificationAction> AlertActions(LinkSource& link, uint64_t connection,
                                       std::function<void()> showHistory);
