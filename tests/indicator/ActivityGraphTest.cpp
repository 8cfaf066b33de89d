// SPDX-License-Identifier: GPL-3.0-or-later
// The activity graph: column heights, scrolling and the picture itself.
#include "FakeLink.h"
#include "indicator/TrafficCounters.h"
#include "indicator/ui/ActivityGraph.h"

#include <gtest/gtest.h>

namespace {
const QColor kRed(255, 0, 0);

// Height of the red column at x, counted from the bottom edge.
int ColumnHeight(const QImage& chart, int x) {
    int height = 0;
    for (int y = kGraphHeight - 1; y >= 0 && QColor(chart.pixel(x, y)) == kRed; --y) ++height;
    return height;
}

// A connected 48,000 bit/s link that received `bytes` more since the previous tick.
int ColumnFor(uint64_t bytes) {
    FakeLink link;
    link.connected = true;
    link.stats.bitsPerSecond = 48000;
    link.stats.bytesReceived = 100000;
    TrafficCounters counters;
    ActivityGraph graph;
    graph.Tick(link, counters);  // the first tick charts everything since the connection began
    link.stats.bytesReceived += bytes;
    graph.Tick(link, counters);
    return ColumnHeight(graph.Chart(), kGraphWidth - 1);
}
}  // namespace

TEST(GraphBackground, rowsFollowTheGradientTable) {
    const QImage& background = ActivityGraph::Background();
    ASSERT_EQ(background.size(), QSize(kGraphWidth, kGraphHeight));
    EXPECT_EQ(QColor(background.pixel(0, 0)), QColor(24, 35, 61));
    EXPECT_EQ(QColor(background.pixel(216, 3)), QColor(121, 148, 173));
    EXPECT_EQ(QColor(background.pixel(100, 15)), QColor(40, 54, 83));
    EXPECT_EQ(QColor(background.pixel(5, 29)), QColor(15, 21, 45));
    for (int y = 0; y < kGraphHeight; ++y)
        EXPECT_EQ(background.pixel(0, y), background.pixel(kGraphWidth - 1, y)) << "row " << y;
}

TEST(GraphColumn, shareOfA48000BitLinkSetsTheHeight) {
    EXPECT_EQ(ColumnFor(3000), 16);   // 50 %
    EXPECT_EQ(ColumnFor(1800), 10);   // 30 %
    EXPECT_EQ(ColumnFor(5400), 30);   // 90 %: full
    EXPECT_EQ(ColumnFor(60000), 30);  // beyond the top: clipped
    EXPECT_EQ(ColumnFor(0), 0);
}

TEST(GraphColumn, countThatWentBackGivesAnEmptyColumn) {
    GraphState state;
    state.PrevRecvBytes = 50000;
    EXPECT_EQ(NextGraphSample(state, 1000, 48000), -273);
    EXPECT_EQ(state.LinkBytesPerSec, 6000);
}

TEST(GraphColumn, linkWithoutSpeedIsScaledAgainstItsBusiestTick) {
    GraphState state;
    EXPECT_EQ(NextGraphSample(state, 900000, 0), 0);  // first tick of a load: no peak yet
    state.PrevRecvBytes = 900000;
    state.HavePrev = true;
    EXPECT_EQ(NextGraphSample(state, 906000, 0), 33);  // the busiest tick fills the column
    state.PrevRecvBytes = 906000;
    EXPECT_EQ(NextGraphSample(state, 909000, 0), 16);  // half of it
    state.PrevRecvBytes = 909000;
    EXPECT_EQ(NextGraphSample(state, 100, 4), 0);  // a new connection forgets the peak
    EXPECT_EQ(state.PeakBytesPerSec, 0);
}

TEST(GraphTick, standsStillWhileTheLinkIsDown) {
    FakeLink link;
    TrafficCounters counters;
    ActivityGraph graph;
    graph.AddColumn(12);
    const QImage before = graph.Chart();
    EXPECT_FALSE(graph.Tick(link, counters));
    EXPECT_EQ(graph.Chart(), before);
}

TEST(GraphTick, copiesTheStatisticsIntoTheCounters) {
    FakeLink link;
    link.connected = true;
    link.stats.bytesReceived = 1234;
    link.stats.bitsPerSecond = 48000;
    TrafficCounters counters;
    ActivityGraph graph;
    graph.Tick(link, counters);
    EXPECT_EQ(counters.Stats, link.stats);
    EXPECT_EQ(counters.RecvMB, 0.0f);  // derived counters are the sampling tick's
    EXPECT_EQ(graph.State().PrevRecvBytes, 1234u);
}

TEST(GraphScroll, columnsMoveLeftAndFallOffAfter217Ticks) {
    ActivityGraph graph;
    graph.AddColumn(16);
    EXPECT_EQ(ColumnHeight(graph.Chart(), kGraphWidth - 1), 16);
    graph.AddColumn(0);
    EXPECT_EQ(ColumnHeight(graph.Chart(), kGraphWidth - 2), 16);
    EXPECT_EQ(ColumnHeight(graph.Chart(), kGraphWidth - 1), 0);
    for (int tick = 2; tick < kGraphWidth; ++tick) graph.AddColumn(0);
    EXPECT_EQ(ColumnHeight(graph.Chart(), 0), 16);  // 216 scrolls: at the left edge
    graph.AddColumn(0);                             // the 217th: gone
    EXPECT_EQ(graph.Chart(), ActivityGraph::Background());
}

TEST(GraphEndPieces, roundedCapsOnTheWindowColour) {
    const QImage left = ActivityGraph::EndPiece(true);
    const QImage right = ActivityGraph::EndPiece(false);
    ASSERT_EQ(left.size(), QSize(28, kGraphHeight));
    EXPECT_EQ(QColor(left.pixel(0, 0)), QColor(119, 149, 175));  // outside the rounding
    EXPECT_EQ(QColor(right.pixel(27, 29)), QColor(119, 149, 175));
    EXPECT_EQ(QColor(left.pixel(27, 15)), QColor(ActivityGraph::Background().pixel(27, 15)));
    EXPECT_EQ(QColor(right.pixel(0, 15)), QColor(ActivityGraph::Background().pixel(0, 15)));
}
