// SPDX-License-Identifier: GPL-3.0-or-later
// A scenario file: the state of a made-up connection over time, read from text.
#pragma once

#include "link/LinkStats.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// Lines: "T STATE RX TX BPS NAME" ("#" starts a comment line); STATE is down, dialing or
// connected; "T loop" restarts the file at T. T is milliseconds, never decreasing.
class ScenarioScript {
public:
    enum class State { Down, Dialing, Connected };

    // What the scenario says at one moment.
    struct Moment {
        State state = State::Down;
        QString name;     // empty while down
        LinkStats stats;  // zero unless connected
        int64_t connection =
            -1;  // tells connections apart (each pass of a loop is new); -1 while down
    };

    // Parses the text; on a malformed line gives nothing and says which line in `error`.
    static std::optional<ScenarioScript> Parse(const QString& text, QString* error);

    // The state `elapsedMs` milliseconds after the scenario started (negative counts as 0).
    Moment At(int64_t elapsedMs) const;

private:
    struct Line {
        int64_t time = 0;
        State state = State::Down;
        uint64_t rx = 0, tx = 0, bps = 0;
        QString name;
        int connectionStart = -1;  // index of the line where this line's connection began
        int connectedSince = -1;   // index of its first connected line, -1 before that
        bool loop = false;         // a "T loop" line
    };

    static std::optional<Line> ParseLine(const QString& text, QString* error);
    void LinkConnections();
    uint64_t Between(uint64_t from, uint64_t to, int64_t t0, int64_t t1, int64_t at) const;

    std::vector<Line> lines_;
    std::optional<int64_t> loopAt_;
};
