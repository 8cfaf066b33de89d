// SPDX-License-Identifier: GPL-3.0-or-later
// Reads /sys/class/net and pppd's pid files; hangs up with SIGTERM or by taking the
// interface down.
#include "link/KernelLink.h"

#include "core/Logging.h"
#include "link/MonotonicClock.h"
#include "link/SmallFile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <net/if.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr unsigned kUp = 0x1;
constexpr unsigned kPointToPoint = 0x10;
const char* const kPrefixes[] = {"ppp", "wwan", "tun"};  // in the order they are preferred

int PrefixRank(const QString& name) {
    for (int i = 0; i < 3; ++i)
        if (name.startsWith(QLatin1String(kPrefixes[i]))) return i;
    return -1;
}

// sysfs never shows IFF_RUNNING; the kernel sets it exactly when operstate is up or
// unknown (ppp and attached tun devices stay "unknown").
bool UpAndRunning(const QByteArray& flagsText, const QByteArray& operstate) {
    bool ok = false;
    const unsigned flags = flagsText.toUInt(&ok, 0);
    return ok && (flags & kUp) && (operstate == "up" || operstate == "unknown");
}

}  // namespace

KernelLink::KernelLink(KernelPaths paths, const MonotonicClock& clock, QString interfaceName)
    : paths_(std::move(paths)), clock_(clock), wanted_(std::move(interfaceName)) {}

bool KernelLink::IsUpAndRunning(const QString& name) const {
    const QString folder = paths_.sysClassNet + u'/' + name;
    return UpAndRunning(ReadSmallFile(folder + QStringLiteral("/flags")),
                        ReadSmallFile(folder + QStringLiteral("/operstate")));
}

bool KernelLink::CurrentIsUpAndRunning() const {
    return !current_.isEmpty() && UpAndRunning(flags_.Read(), operstate_.Read());
}

QString KernelLink::FindInterface() const {
    if (!wanted_.isEmpty()) return IsUpAndRunning(wanted_) ? wanted_ : QString();
    QStringList names = QDir(paths_.sysClassNet).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString& n) { return PrefixRank(n) < 0; }),
                names.end());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return PrefixRank(a) != PrefixRank(b) ? PrefixRank(a) < PrefixRank(b) : a < b;
    });
    for (const QString& name : names) {
        bool ok = false;
        const unsigned flags =
            ReadSmallFile(paths_.sysClassNet + u'/' + name + QStringLiteral("/flags"))
                .toUInt(&ok, 0);
        if (ok && (flags & kPointToPoint) && IsUpAndRunning(name)) return name;
    }
    return {};
}

bool KernelLink::Poll() {
    if (CurrentIsUpAndRunning()) return true;
    current_.clear();
    flags_ = OpenSmallFile();
    operstate_ = OpenSmallFile();
    rx_ = OpenSmallFile();
    tx_ = OpenSmallFile();
    const QString found = FindInterface();
    if (found.isEmpty()) {
        if (!lookedInVain_)
            qCDebug(lcLink) << "kernel: no point-to-point interface up and running in"
                            << paths_.sysClassNet << (wanted_.isEmpty() ? QString() : wanted_);
        lookedInVain_ = true;
        return false;
    }
    lookedInVain_ = false;
    BeginConnection(found);
    return true;
}

void KernelLink::BeginConnection(const QString& name) {
    const QString folder = paths_.sysClassNet + u'/' + name;
    const QString ifindex = QString::fromLatin1(ReadSmallFile(folder + QStringLiteral("/ifindex")));
    current_ = name;
    ++begun_;
    flags_ = OpenSmallFile(folder + QStringLiteral("/flags"));
    operstate_ = OpenSmallFile(folder + QStringLiteral("/operstate"));
    rx_ = OpenSmallFile(folder + QStringLiteral("/statistics/rx_bytes"));
    tx_ = OpenSmallFile(folder + QStringLiteral("/statistics/tx_bytes"));
    // Counters start at zero when an interface is created, and a point-to-point one is
    // created for its connection. One that comes back up (a tun device reused by the next
    // connection) or outlives connections (an Ethernet port asked for by name) counts on:
    // its figures now are the connection's zero point.
    const bool pointToPoint = flags_.Read().toUInt(nullptr, 0) & kPointToPoint;
    const bool reused = (!lastIfindex_.isEmpty() && ifindex == lastIfindex_) || !pointToPoint;
    lastIfindex_ = ifindex;
    baseline_ = LinkStats();
    if (reused) {
        baseline_.bytesReceived = rx_.ReadCounter().value_or(0);
        baseline_.bytesSent = tx_.ReadCounter().value_or(0);
    }
    const PidFile pidFile = ReadPidFile(name);
    pid_ = pidFile.pid;
    name_ = pidFile.linkName.isEmpty() ? name : pidFile.linkName;
    startMs_ = clock_.ElapsedMs() - (pidFile.found && !reused ? pidFile.ageMs : 0);
    qCDebug(lcLink) << "kernel: watching" << name << "named" << name_ << "pppd pid" << pid_
                    << (reused ? "counting from its figures now" : "counting from zero");
}

// pppd writes /run/IF.pid (its pid), and with "linkname NAME" also /run/ppp-NAME.pid
// (its pid, then the interface name).
KernelLink::PidFile KernelLink::ReadPidFile(const QString& name) const {
    PidFile result;
    QString path;
    const QDir run(paths_.runFolder);
    for (const QString& file : run.entryList({QStringLiteral("ppp-*.pid")}, QDir::Files)) {
        const QList<QByteArray> lines = ReadSmallFile(run.filePath(file)).split('\n');
        if (lines.size() >= 2 && QString::fromUtf8(lines[1].trimmed()) == name) {
            path = run.filePath(file);
            result.linkName = file.mid(4, file.size() - 8);
            break;
        }
    }
    if (path.isEmpty()) path = run.filePath(name + QStringLiteral(".pid"));
    const QFileInfo info(path);
    if (!info.exists()) return result;
    result.found = true;
    result.pid = ReadSmallFile(path).split('\n').value(0).trimmed().toLongLong();
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    result.ageMs = std::max<qint64>(age, 0);
    return result;
}

bool KernelLink::IsLinkConnected() {
    return Poll();
}

LinkStats KernelLink::GetLinkStats() {
    if (!Poll()) return {};
    LinkStats stats;
    const uint64_t rx = rx_.ReadCounter().value_or(0), tx = tx_.ReadCounter().value_or(0);
    stats.bytesReceived = rx >= baseline_.bytesReceived ? rx - baseline_.bytesReceived : rx;
    stats.bytesSent = tx >= baseline_.bytesSent ? tx - baseline_.bytesSent : tx;
    // ppp has no speed and tun reports a made-up one: nothing worth showing.
    stats.bitsPerSecond = 0;
    stats.connectedMs = static_cast<uint64_t>(std::max<int64_t>(clock_.ElapsedMs() - startMs_, 0));
    numbers_.Stamp(QString::number(begun_), stats);
    return stats;
}

QString KernelLink::GetLinkName() {
    return Poll() ? name_ : kNoLinkName;
}

QString KernelLink::GetLinkInterface() {
    return Poll() ? current_ : QString();
}

void KernelLink::EndConnection() {
    // SIGTERM ends pppd (SIGHUP would redial under "persist").
    if (pid_ > 0 && SignalPppd(pid_)) return;
    TakeInterfaceDown();
}

// Only a process that is pppd gets the signal: a stale or hand-edited pid file must not
// end some other program.
bool KernelLink::SignalPppd(int64_t pid) const {
    const QByteArray command =
        ReadSmallFile(paths_.procFolder + u'/' + QString::number(pid) + QStringLiteral("/comm"));
    if (command != "pppd") return false;
    return ::kill(static_cast<pid_t>(pid), SIGTERM) == 0;
}

void KernelLink::TakeInterfaceDown() const {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    ifreq request{};
    const QByteArray name = current_.toLocal8Bit();
    std::strncpy(request.ifr_name, name.constData(), IFNAMSIZ - 1);
    if (::ioctl(fd, SIOCGIFFLAGS, &request) == 0) {
        request.ifr_flags = static_cast<short>(request.ifr_flags & ~IFF_UP);
        ::ioctl(fd, SIOCSIFFLAGS, &request);
    }
    ::close(fd);
}
