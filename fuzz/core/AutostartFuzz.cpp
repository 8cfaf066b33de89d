// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes as a hand-made autostart entry, and as the program's path.
#include "settings/Autostart.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir config;
    const QByteArray bytes = QByteArray(reinterpret_cast<const char*>(data), int(size));

    // Whatever the file holds, reading it gives an answer and nothing else.
    const Autostart fixed(QStringLiteral("/opt/vantoril/vantoril"), config.path());
    fixed.EnableAutostart();
    QFile entry(fixed.EntryPath());
    if (!entry.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
    entry.write(bytes);
    entry.close();
    fixed.IsAutostartEnabled();

    // Any program path, however odd its characters, is written so that it reads back
    // as itself and as nothing else.
    const QString path = '/' + QString::fromUtf8(bytes).remove(QChar(0));
    const Autostart program(path, config.path());
    if (!program.EnableAutostart() || !program.IsAutostartEnabled()) __builtin_trap();
    if (Autostart(path + 'x', config.path()).IsAutostartEnabled()) __builtin_trap();
    return 0;
}
