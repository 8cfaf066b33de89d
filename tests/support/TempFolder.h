// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh temporary folder per test, removed afterwards, with file helpers.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempFolder {
public:
    TempFolder();
    const QString& Path() const { return path_; }
    QString File(const QString& name) const { return path_ + '/' + name; }

    void Write(const QString& name, const QByteArray& bytes) const;
    // For a name that is not UTF-8 (a file copied from Windows): the name's own bytes.
    void WriteNamedInBytes(const QByteArray& name, const QByteArray& bytes) const;
    QByteArray Read(const QString& name) const;  // empty when missing
    bool Exists(const QString& name) const;

private:
    QTemporaryDir dir_;
    QString path_;
};
