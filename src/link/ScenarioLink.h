// SPDX-License-Identifier: GPL-3.0-or-later
// A link that replays a scenario file: for tests, demonstrations and users without a modem.
#pragma once

#include "link/ConnectionNumbers.h"
#include "link/LinkSource.h"
#include "link/ScenarioScript.h"

class MonotonicClock;

class ScenarioLink final : public LinkSource {
public:
    // Time counts from construction; the clock must outlive the link.
    ScenarioLink(ScenarioScript script, const MonotonicClock& clock);

    // Reads and parses a file (UTF-8, else Windows-1251); nothing when it cannot be read
    // or holds a malformed line, with the reason in `error`.
    static std::optional<ScenarioScript> LoadFile(const QString& path, QString* error);

    bool IsLinkConnected() override;
    LinkStats GetLinkStats() override;
    QString GetLinkName() override;
    QString GetLinkInterface() override { return {}; }

protected:
    void EndConnection() override;

private:
    // The current moment, read as down once the user has hung its connection up.
    ScenarioScript::Moment Now() const;

    ScenarioScript script_;
    const MonotonicClock& clock_;
    int64_t startMs_;
    int64_t hungUpConnection_ = -1;
    ConnectionNumbers numbers_;
};
