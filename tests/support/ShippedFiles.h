// SPDX-License-Identifier: GPL-3.0-or-later
// The files the program ships with, read from the source tree that holds the build.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>

// The bytes of resources/defaults/<name> in the first folder above the test program that
// has it; empty when there is none.
inline QByteArray ShippedDefault(const QString& name) {
    const QString file = QStringLiteral("resources/defaults/") + name;
    for (QDir folder(QCoreApplication::applicationDirPath()); !folder.isRoot(); folder.cdUp()) {
        QFile shipped(folder.filePath(file));
        if (shipped.open(QIODevice::ReadOnly)) return shipped.readAll();
    }
    return {};
}
