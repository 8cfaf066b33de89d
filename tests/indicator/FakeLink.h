// SPDX-License-Identifier: GPL-3.0-or-later
// A link whose state the test sets directly.
#pragma once

#include "link/LinkSource.h"

class FakeLink final : public LinkSource {
public:
    bool IsLinkConnected() override { return connected; }
    LinkStats GetLinkStats() override { return connected ? stats : LinkStats(); }
    QString GetLinkName() override { return connected ? name : kNoLinkName; }
    void EndConnection() override { connected = false; }
    QString GetLinkInterface() override { return {}; }

    bool connected = false;
    LinkStats stats;
    QString name = QStringLiteral("MyISP");
};
