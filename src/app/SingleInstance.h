// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per user session and per program folder: lock files held for the
// life of the process.
#pragma once

#include <QLockFile>
#include <QString>

class SingleInstance {
public:
    // One lock lives in `sessionFolder`, normally the user's runtime folder, the other
    // inside the program folder itself. The runtime folder differs between a desktop
    // session and su, sudo or ssh (or is missing there); the lock inside the program
    // folder is the same for every copy that would book into its "connections".
    SingleInstance(const QString& sessionFolder, const QString& programFolder);

    // True when this process now holds both locks (a lock left by a dead process is taken
    // over); false while another instance runs in this session or on this program folder.
    bool Acquire();

    // The user's runtime folder, or the temporary folder when there is none.
    static QString DefaultFolder();

private:
    QLockFile session_;
    QLockFile folder_;
};
