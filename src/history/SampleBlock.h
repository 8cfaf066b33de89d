// SPDX-License-Identifier: GPL-3.0-or-later
// A connection's minute samples packed by the hour into one value of the history file:
// each sample as its differences from the one before, in as few bytes as they need.
#pragma once

#include "history/HistoryTypes.h"

#include <QByteArray>
#include <QList>

#include <optional>

// Samples of one connection, in the order they were taken, packed together.
inline constexpr int kSamplesPerBlock = 60;

struct StoredSample {
    int64_t t = 0;  // UTC seconds
    ConnectionFigures figures;

    bool operator==(const StoredSample& other) const {
        return t == other.t && figures == other.figures;
    }
};

// Every figure comes back exactly, the money to the last bit.
QByteArray PackSamples(const QList<StoredSample>& samples);
// Nothing when the bytes are not a packing of samples (a damaged or hand-edited file).
std::optional<QList<StoredSample>> UnpackSamples(const QByteArray& packed);
