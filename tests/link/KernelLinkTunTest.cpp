// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel backend against a real TUN device in point-to-point mode, inside a network
// namespace the test creates: every packet of the test stays inside that namespace.
#include "SteppingClock.h"
#include "TempFolder.h"
#include "link/KernelLink.h"

#include <QFile>
#include <QProcess>
#include <QThread>

#include <arpa/inet.h>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/if_tun.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

namespace {

const char kDevice[] = "tunvt0";
const char kLocal[] = "10.77.0.1";
const char kPeer[] = "10.77.0.2";

bool RunCommand(const QStringList& command, QString* output = nullptr) {
    QProcess process;
    process.start(command.first(), command.mid(1));
    const bool ok = process.waitForFinished(10000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output) *output = QString::fromLocal8Bit(process.readAllStandardError());
    return ok;
}

uint16_t Checksum(const unsigned char* data, size_t size) {
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < size; i += 2) sum += (data[i] << 8) | data[i + 1];
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint16_t>(~sum);
}

// An IPv4/UDP packet from the peer to our address, `size` bytes in all.
QByteArray PacketFromPeer(int size, uint16_t port) {
    QByteArray packet(size, '\0');
    auto* p = reinterpret_cast<unsigned char*>(packet.data());
    p[0] = 0x45;
    p[2] = static_cast<unsigned char>(size >> 8);
    p[3] = static_cast<unsigned char>(size);
    p[8] = 64;  // time to live
    p[9] = IPPROTO_UDP;
    inet_pton(AF_INET, kPeer, p + 12);
    inet_pton(AF_INET, kLocal, p + 16);
    const uint16_t header = Checksum(p, 20);
    p[10] = static_cast<unsigned char>(header >> 8);
    p[11] = static_cast<unsigned char>(header);
    p[20] = 0x30;  // source port 12345
    p[21] = 0x39;
    p[22] = static_cast<unsigned char>(port >> 8);
    p[23] = static_cast<unsigned char>(port);
    p[24] = static_cast<unsigned char>((size - 20) >> 8);
    p[25] = static_cast<unsigned char>(size - 20);
    return packet;  // UDP checksum 0: none
}

// Creates the namespace and the TUN device in it; this thread works inside the namespace
// until the fixture ends. The namespace's own sysfs is mounted in a temporary folder.
class KernelLinkTunTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "needs root to create a network namespace and a TUN device";
        if (!QFile::exists("/dev/net/tun")) GTEST_SKIP() << "/dev/net/tun is missing";
        namespace_ = QStringLiteral("vantoril-test-%1").arg(getpid());
        QString error;
        if (!RunCommand({"ip", "netns", "add", namespace_}, &error))
            GTEST_SKIP() << "cannot create a network namespace: " << error.toStdString();
        created_ = true;
        Exec({"sysctl", "-q", "-w",
              "net.ipv6.conf.default.disable_ipv6=1"});  // no router solicitations
        original_ = open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
        const int target =
            open(QFile::encodeName("/run/netns/" + namespace_).constData(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(target, 0);
        ASSERT_EQ(setns(target, CLONE_NEWNET), 0) << strerror(errno);
        close(target);
        entered_ = true;

        tun_ = open("/dev/net/tun", O_RDWR | O_CLOEXEC);
        ASSERT_GE(tun_, 0) << strerror(errno);
        ifreq request{};
        request.ifr_flags = IFF_TUN | IFF_NO_PI;
        std::strncpy(request.ifr_name, kDevice, IFNAMSIZ - 1);
        ASSERT_EQ(ioctl(tun_, TUNSETIFF, &request), 0) << strerror(errno);
        fcntl(tun_, F_SETFL, O_NONBLOCK);
        ASSERT_TRUE(Exec({"ip", "addr", "add", kLocal, "peer", kPeer, "dev", kDevice}));

        // sysfs shows the interfaces of the namespace of whoever mounts it.
        sysfs_ = temp.File("sys");
        QDir().mkpath(sysfs_);
        ASSERT_EQ(
            mount("sysfs", QFile::encodeName(sysfs_).constData(), "sysfs", MS_RDONLY, nullptr), 0)
            << strerror(errno);
        mounted_ = true;
        paths.sysClassNet = sysfs_ + "/class/net";
        paths.runFolder = temp.File("run");
        QDir().mkpath(paths.runFolder);
    }

    void TearDown() override {
        if (tun_ >= 0) close(tun_);
        if (mounted_) umount2(QFile::encodeName(sysfs_).constData(), MNT_DETACH);
        if (entered_) setns(original_, CLONE_NEWNET);
        if (original_ >= 0) close(original_);
        if (created_) RunCommand({"ip", "netns", "delete", namespace_});
    }

    bool Exec(const QStringList& command) {
        return RunCommand(QStringList{"ip", "netns", "exec", namespace_} + command);
    }
    void BringUp() { ASSERT_TRUE(Exec({"ip", "link", "set", kDevice, "up"})); }

    // Sends `count` UDP datagrams to the peer through the device and reads them off it;
    // gives the bytes that crossed.
    uint64_t SendToPeer(int count, int payload) {
        const int sock = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(9);
        inet_pton(AF_INET, kPeer, &to.sin_addr);
        const QByteArray data(payload, 'x');
        for (int i = 0; i < count; ++i)
            sendto(sock, data.constData(), data.size(), 0, reinterpret_cast<sockaddr*>(&to),
                   sizeof to);
        close(sock);
        uint64_t crossed = 0;
        char buffer[2048];
        for (int tries = 0; tries < 200 && crossed < uint64_t(count) * (payload + 28); ++tries) {
            const ssize_t size = read(tun_, buffer, sizeof buffer);
            if (size > 0)
                crossed += uint64_t(size);
            else
                QThread::msleep(5);
        }
        return crossed;
    }

    // Writes `count` packets from the peer into the device; a socket of ours receives them.
    uint64_t ReceiveFromPeer(int count, int size) {
        const int sock = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_port = htons(5555);
        inet_pton(AF_INET, kLocal, &at.sin_addr);
        EXPECT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&at), sizeof at), 0) << strerror(errno);
        timeval wait{2, 0};
        setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        const QByteArray packet = PacketFromPeer(size, 5555);
        int received = 0;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(write(tun_, packet.constData(), packet.size()), size);
            char buffer[2048];
            if (recv(sock, buffer, sizeof buffer, 0) == size - 28) ++received;
        }
        close(sock);
        EXPECT_EQ(received, count);
        return uint64_t(count) * size;
    }

    bool IsUp() {
        QFile file(paths.sysClassNet + "/" + kDevice + "/flags");
        if (!file.open(QIODevice::ReadOnly)) return false;
        return file.readAll().trimmed().toUInt(nullptr, 0) & IFF_UP;
    }

    TempFolder temp;
    KernelPaths paths;
    SteppingClock clock;
    QString namespace_;
    QString sysfs_;
    int original_ = -1;
    int tun_ = -1;
    bool created_ = false, entered_ = false, mounted_ = false;
};

}  // namespace

TEST_F(KernelLinkTunTest, countsRealPacketsBothWaysAndHangsUpByTakingTheDeviceDown) {
    KernelLink link(paths, clock);
    EXPECT_FALSE(link.IsLinkConnected());  // created but not yet up
    EXPECT_EQ(link.GetLinkName(), kNoLinkName);

    BringUp();
    EXPECT_TRUE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkName(), QString::fromLatin1(kDevice));
    EXPECT_EQ(link.GetLinkInterface(), QString::fromLatin1(kDevice));

    const uint64_t sent = SendToPeer(3, 100);
    EXPECT_EQ(sent, 3u * 128u);
    const uint64_t received = ReceiveFromPeer(2, 200);
    clock.Step(2500);
    const LinkStats stats = link.GetLinkStats();
    EXPECT_EQ(stats.bytesSent, sent);
    EXPECT_EQ(stats.bytesReceived, received);
    EXPECT_EQ(stats.connectedMs, 2500u);

    link.HangUpLink(link.GetLinkStats().connection);
    EXPECT_FALSE(IsUp());
    EXPECT_FALSE(link.IsLinkConnected());
    EXPECT_EQ(link.GetLinkName(), kNoLinkName);
}

TEST_F(KernelLinkTunTest, pppdNamedInItsPidFileGetsTheHangUpSignal) {
    // A stand-in for pppd: the sleep program under pppd's name.
    const QString pppd = temp.File("pppd");
    ASSERT_TRUE(QFile::copy("/bin/sleep", pppd));
    QProcess stand;
    stand.start(pppd, {"60"});
    ASSERT_TRUE(stand.waitForStarted());
    QFile pidFile(paths.runFolder + "/ppp-Офис.pid");
    ASSERT_TRUE(pidFile.open(QIODevice::WriteOnly));
    pidFile.write(QByteArray::number(stand.processId()) + "\n" + kDevice + "\n");
    pidFile.close();
    // pppd wrote its pid file a minute ago: that is when the call began.
    const time_t minuteAgo = time(nullptr) - 60;
    const utimbuf times{minuteAgo, minuteAgo};
    utime(QFile::encodeName(pidFile.fileName()).constData(), &times);

    BringUp();
    KernelLink link(paths, clock);
    EXPECT_EQ(link.GetLinkName(), QStringLiteral("Офис"));
    const uint64_t online = link.GetLinkStats().connectedMs;
    EXPECT_GE(online, 59000u);
    EXPECT_LE(online, 65000u);

    link.HangUpLink(link.GetLinkStats().connection);
    ASSERT_TRUE(stand.waitForFinished(5000));
    EXPECT_EQ(stand.exitStatus(), QProcess::CrashExit);  // ended by a signal
    EXPECT_TRUE(IsUp());                                 // pppd takes its own interface down
}

TEST_F(KernelLinkTunTest, aPidFileNamingAnotherProgramIsNotSignalled) {
    QProcess other;
    other.start("/bin/sleep", {"60"});
    ASSERT_TRUE(other.waitForStarted());
    QFile pidFile(paths.runFolder + "/" + kDevice + ".pid");
    ASSERT_TRUE(pidFile.open(QIODevice::WriteOnly));
    pidFile.write(QByteArray::number(other.processId()) + "\n");
    pidFile.close();

    BringUp();
    KernelLink link(paths, clock);
    ASSERT_TRUE(link.IsLinkConnected());
    link.HangUpLink(link.GetLinkStats().connection);
    EXPECT_FALSE(other.waitForFinished(300));
    EXPECT_FALSE(IsUp());  // taken down instead
    other.kill();
    other.waitForFinished();
}
