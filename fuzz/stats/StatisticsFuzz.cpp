// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes as a hand-edited statistics file read by the viewer, and as a
// connection name turned into a file name and back.
#include "core/TextDecoding.h"
#include "stats/ConnectionFileName.h"
#include "stats/StatisticDates.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        DecodeText(QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size)));

    for (const QString& date : StatisticDates(text)) {
        // A date is the non-empty text before an "=", within one item of one line.
        if (date.isEmpty() || date.contains(u'\n') || date.contains(u'\r')) __builtin_trap();
    }

    const QString file = EncodeConnectionName(text);
    if (file.contains(u'/') || file.contains(QChar(0)) || file.startsWith(u'.')) __builtin_trap();
    if (ConnectionFileName(text).toUtf8().size() > kMaxStatisticFileNameBytes) __builtin_trap();
    // Whole names come back exactly; the empty name and shortened ones ("%~" and a hash,
    // a sequence no whole name encodes to) are shown in a form of their own.
    const bool whole = !text.isEmpty() && !file.contains(QLatin1String("%~"));
    if (whole && DecodeConnectionName(file) != text) __builtin_trap();
    return 0;
}
