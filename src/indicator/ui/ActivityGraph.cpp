// SPDX-License-Identifier: GPL-3.0-or-later
// The activity graph's picture and tick.
#include "indicator/ui/ActivityGraph.h"

#include "indicator/TrafficCounters.h"
#include "indicator/ui/IndicatorColors.h"
#include "link/LinkSource.h"

#include <QPainter>
#include <QPainterPath>

#include <cstring>

// Resources of a static library must be registered by hand, outside any namespace.
static void LoadGraphResources() {
    Q_INIT_RESOURCE(graph);
}

namespace {
constexpr int kEndPieceWidth = 28;
}  // namespace

const QImage& ActivityGraph::Background() {
    static const QImage background = [] {
        LoadGraphResources();
        return QImage(QStringLiteral(":/graph/graph101.bmp")).convertToFormat(QImage::Format_RGB32);
    }();
    return background;
}

QImage ActivityGraph::EndPiece(bool left) {
    QImage piece(kEndPieceWidth, kGraphHeight, QImage::Format_RGB32);
    piece.fill(kIndicatorBackground);
    QPainter painter(&piece);
    painter.setRenderHint(QPainter::Antialiasing);
    // A rounded bar whose flat side runs on under the chart.
    const qreal radius = 9;
    const QRectF bar = left ? QRectF(1, 0, kEndPieceWidth + radius, kGraphHeight)
                            : QRectF(-radius, 0, kEndPieceWidth + radius - 1, kGraphHeight);
    QPainterPath path;
    path.addRoundedRect(bar, radius, radius);
    painter.setClipPath(path);
    painter.drawImage(QRect(0, 0, kEndPieceWidth, kGraphHeight), Background(),
                      QRect(0, 0, kEndPieceWidth, kGraphHeight));
    return piece;
}

ActivityGraph::ActivityGraph() : charts_{Background().copy(), Background().copy()} {}

bool ActivityGraph::Tick(LinkSource& link, TrafficCounters& counters) {
    if (!link.IsLinkConnected()) return false;
    counters.Stats = link.GetLinkStats();
    AddColumn(NextGraphSample(state_, counters.Stats.bytesReceived, counters.Stats.bitsPerSecond));
    counters.Stats = link.GetLinkStats();
    state_.PrevRecvBytes = counters.Stats.bytesReceived;
    state_.HavePrev = true;
    return true;
}

void ActivityGraph::AddColumn(int sample) {
    // Copied row by row: a painter's set-up costs more than the few kilobytes moved.
    const QImage& background = Background();
    const QImage& shown = charts_[shown_];
    QImage& next = charts_[1 - shown_];
    const int top = sample > 0 ? qMax(0, kGraphHeight - sample) : kGraphHeight;
    const QRgb column = kGraphColumn.rgb();
    for (int y = 0; y < kGraphHeight; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(next.scanLine(y));
        std::memcpy(row, from + 1, (kGraphWidth - 1) * sizeof(QRgb));
        row[kGraphWidth - 1] = y >= top ? column : background.pixel(kGraphWidth - 1, y);
    }
    shown_ = 1 - shown_;
}
