// SPDX-License-Identifier: GPL-3.0-or-later
// Where the kernel backend looks; tests point these at a tree of their own.
#pragma once

#include <QString>

struct KernelPaths {
    QString sysClassNet = QStringLiteral("/sys/class/net");
    QString runFolder = QStringLiteral("/run");  // pppd's pid files
    QString procFolder = QStringLiteral("/proc");
};
