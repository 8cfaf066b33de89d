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
    QByteArray Read(const QString& name) const;  // empty when missing
    bool Exists(const QString& name) const;

private:
    QTemporaryDir dir_;
    QString path_;
};
