// SPDX-License-Identifier: GPL-3.0-or-later
// The local time zone read once, and again only when the system's zone file is replaced.
#pragma once

#include "core/FolderChangeNotices.h"

#include <QByteArray>
#include <QString>

#include <memory>

// While TZ is unset the C library looks at the zone file with stat at every conversion to
// local time, several times a second here. Naming the file in TZ makes it read the file
// once; a notice of the file being replaced (a new zone chosen) makes it read it again.
// A TZ the user set is left as it is.
class LocalZone {
public:
    explicit LocalZone(const QString& zoneFile = QStringLiteral("/etc/localtime"));
    // Reads the zone again when its file changed since the last call.
    void Follow();

private:
    void Reload();

    QByteArray zone_;
    std::unique_ptr<FolderChangeNotices> notices_;
};
