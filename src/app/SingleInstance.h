// One running program per user: a lock file held for the life of the process.
#pragma once

#include <QLockFile>
#include <QString>

class SingleInstance {
public:
    // The lock lives in `folder`, by default the user's runtime folder.
    explicit SingleInstance(const QString& folder = DefaultFolder());

    // True when this process now holds the lock (a lock left by a dead process is taken
    // over); false while another instance of this user runs.
    bool Acquire();

    static QString DefaultFolder();

private:
    QLockFile lock_;
};
