// SPDX-License-Identifier: GPL-3.0-or-later
// Packing samples as differences: a minute's time, bytes and seconds fit in one to three
// bytes each; the money as the step of its bit pattern, which gives it back exactly, less
// the step foretold from the last one (MoneyGuess).
#include "history/SampleBlock.h"

#include <cstring>

namespace {

constexpr int kFields = 5;  // t, received, sent, online seconds, money
constexpr int kMoney = 4;

uint64_t BitsOf(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double FromBits(uint64_t bits) {
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The fields as unsigned words, so that differences wrap instead of overflowing.
void Fields(const StoredSample& s, uint64_t (&out)[kFields]) {
    out[0] = uint64_t(s.t);
    out[1] = uint64_t(s.figures.usage.received);
    out[2] = uint64_t(s.figures.usage.sent);
    out[3] = uint64_t(s.figures.onlineSeconds);
    out[4] = BitsOf(s.figures.usage.cost);
}

StoredSample SampleOf(const uint64_t (&in)[kFields]) {
    StoredSample s;
    s.t = int64_t(in[0]);
    s.figures.usage.received = int64_t(in[1]);
    s.figures.usage.sent = int64_t(in[2]);
    s.figures.onlineSeconds = int64_t(in[3]);
    s.figures.usage.cost = FromBits(in[4]);
    return s;
}

// A small difference either way becomes a small number: 0, -1, 1, -2... as 0, 1, 2, 3...
uint64_t ZigZag(uint64_t difference) {
    return (difference << 1) ^ uint64_t(int64_t(difference) >> 63);
}

uint64_t UnZigZag(uint64_t value) {
    return (value >> 1) ^ (0 - (value & 1));
}

// Wide enough for a 64-bit step with the guess's choice beside it.
using Wide = unsigned __int128;

void PutVarint(QByteArray& out, Wide value) {
    while (value >= 0x80) {
        out.append(char((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out.append(char(value));
}

bool GetVarint(const QByteArray& in, qsizetype& at, Wide& value) {
    value = 0;
    for (int shift = 0; shift < 72 && at < in.size(); shift += 7) {
        const auto byte = uint8_t(in[at++]);
        value |= Wide(byte & 0x7f) << shift;
        if (!(byte & 0x80)) return true;
    }
    return false;
}

}  // namespace

namespace {

// The money's bit pattern grows in proportion to the traffic under a price per MB, and to
// the time under a price per hour, as long as its exponent stays: its next step is
// foretold from the last one both ways, and the nearer guess is kept, its choice in the
// lowest bit. Integer arithmetic only, so that every machine foretells the same.
struct MoneyGuess {
    uint64_t lastStep = 0;  // of the bit pattern
    uint64_t lastBytes = 0;
    uint64_t lastSeconds = 0;

    static uint64_t Scaled(uint64_t step, uint64_t now, uint64_t before) {
        if (before == 0) return step;
        return uint64_t(__int128(int64_t(step)) * int64_t(now) / int64_t(before));
    }
    uint64_t ByBytes(uint64_t bytes) const { return Scaled(lastStep, bytes, lastBytes); }
    uint64_t BySeconds(uint64_t seconds) const { return Scaled(lastStep, seconds, lastSeconds); }
    void Learn(uint64_t step, uint64_t bytes, uint64_t seconds) {
        lastStep = step;
        lastBytes = bytes;
        lastSeconds = seconds;
    }
};

}  // namespace

QByteArray PackSamples(const QList<StoredSample>& samples) {
    QByteArray out;
    out.reserve(samples.size() * 12);
    uint64_t previous[kFields] = {};
    MoneyGuess guess;
    for (const StoredSample& sample : samples) {
        uint64_t now[kFields];
        Fields(sample, now);
        uint64_t step[kFields];
        for (int i = 0; i < kFields; ++i) step[i] = now[i] - previous[i];
        for (int i = 0; i < kMoney; ++i) PutVarint(out, ZigZag(step[i]));
        const uint64_t bytes = step[1] + step[2];
        const uint64_t byBytes = ZigZag(step[kMoney] - guess.ByBytes(bytes));
        const uint64_t bySeconds = ZigZag(step[kMoney] - guess.BySeconds(step[3]));
        PutVarint(out, byBytes <= bySeconds ? Wide(byBytes) << 1 : Wide(bySeconds) << 1 | 1);
        guess.Learn(step[kMoney], bytes, step[3]);
        std::memcpy(previous, now, sizeof now);
    }
    return out;
}

std::optional<QList<StoredSample>> UnpackSamples(const QByteArray& packed) {
    QList<StoredSample> samples;
    uint64_t fields[kFields] = {};
    MoneyGuess guess;
    for (qsizetype at = 0; at < packed.size();) {
        Wide read[kFields];
        for (Wide& value : read)
            if (!GetVarint(packed, at, value)) return std::nullopt;
        uint64_t step[kFields];
        for (int i = 0; i < kMoney; ++i) step[i] = UnZigZag(uint64_t(read[i]));
        const uint64_t bytes = step[1] + step[2];
        const uint64_t guessed =
            (read[kMoney] & 1) ? guess.BySeconds(step[3]) : guess.ByBytes(bytes);
        step[kMoney] = guessed + UnZigZag(uint64_t(read[kMoney] >> 1));
        guess.Learn(step[kMoney], bytes, step[3]);
        for (int i = 0; i < kFields; ++i) fields[i] += step[i];
        samples.append(SampleOf(fields));
    }
    return samples;
}
