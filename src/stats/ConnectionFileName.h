// Where a connection's statistics live, and its name made safe as a file name.
#pragma once

#include <QString>

inline constexpr char kConnectionsFolder[] = "connections";
inline constexpr char kStatisticSection[] = "Statistic";
inline constexpr char kStatisticExtension[] = ".vlg";

// The connection's name as the base name of its statistics file. Plain names stay as they
// are; "%", "/", NUL and a leading "." (which would make "." and ".." or a hidden file)
// become "%25", "%2F", "%00" and "%2E", so no name can leave the folder "connections".
QString EncodeConnectionName(const QString& name);

// The reverse of EncodeConnectionName; any other "%" sequence is kept as it stands.
QString DecodeConnectionName(const QString& baseName);
