// SPDX-License-Identifier: GPL-3.0-or-later
// The scrolling chart of received traffic: one column a second on the gradient background.
#pragma once

#include "indicator/GraphState.h"

#include <QImage>

class LinkSource;
struct TrafficCounters;

class ActivityGraph {
public:
    ActivityGraph();  // the plain background, all state zero

    // One graph tick: while the link is connected, scroll the chart one pixel to the
    // left and draw the new column at the right edge. Both statistics reads are copied
    // into the counters' Stats. Returns whether the chart changed.
    bool Tick(LinkSource& link, TrafficCounters& counters);

    // Scrolls by one pixel and draws a red column of `sample` pixels at the right edge.
    void AddColumn(int sample);

    const QImage& Chart() const { return charts_[shown_]; }
    const GraphState& State() const { return state_; }

    // The 217 x 30 gradient every column starts from.
    static const QImage& Background();
    // The rounded caps at both ends of the strip, drawn on the window's colour.
    static QImage EndPiece(bool left);

private:
    // Two pictures in turn: the next is drawn into the one the window no longer holds, so the
    // one it holds is not copied each second to be written.
    QImage charts_[2];
    int shown_ = 0;
    GraphState state_;
};
