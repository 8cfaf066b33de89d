// SPDX-License-Identifier: GPL-3.0-or-later
// A folder made read-only for this process and the programs it starts, for its lifetime.
#pragma once

#include <QByteArray>
#include <QString>

class ReadOnlyFolder {
public:
    // For an ordinary user the folder's mode; for root, whom modes do not stop, a
    // read-only bind mount in a mount namespace of this process (which stays its own).
    explicit ReadOnlyFolder(const QString& path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // False when neither way works here (root without the right to mount).
    bool Made() const { return made_; }

private:
    QByteArray path_;
    bool mounted_ = false;
    bool made_ = false;
};
