// SPDX-License-Identifier: GPL-3.0-or-later
// The address-change watch: which kernel notices count, a real interface in a network
// namespace of its own, and the host name and hosts file beside the kernel's notices.
#include "FakeAddressWatch.h"
#include "SteppingClock.h"
#include "TempFolder.h"
#include "link/HostNameWatch.h"
#include "link/NetlinkAddressWatch.h"
#include "link/SystemAddressWatch.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/if_link.h>
#include <linux/rtnetlink.h>
#include <sched.h>
#include <thread>
#include <unistd.h>

namespace {

// One rtnetlink message of `type`, with one 4-byte attribute of type `attribute` unless 0.
QByteArray Notice(uint16_t type, uint16_t attribute = 0) {
    const bool link = type == RTM_NEWLINK || type == RTM_DELLINK;
    const size_t body = NLMSG_ALIGN(link ? sizeof(ifinfomsg) : sizeof(ifaddrmsg));
    const size_t attributes = attribute ? RTA_SPACE(4) : 0;
    QByteArray message(int(NLMSG_SPACE(body + attributes)), '\0');
    auto* header = reinterpret_cast<nlmsghdr*>(message.data());
    header->nlmsg_len = NLMSG_LENGTH(body + attributes);
    header->nlmsg_type = type;
    if (attribute) {
        auto* first = reinterpret_cast<rtattr*>(message.data() + NLMSG_HDRLEN + body);
        first->rta_len = RTA_LENGTH(4);
        first->rta_type = attribute;
    }
    return message;
}

bool Changes(const QByteArray& datagram) {
    return NoticesChangeAddress(datagram.constData(), size_t(datagram.size()));
}

bool RunCommand(const QStringList& command, QString* error = nullptr) {
    QProcess process;
    process.start(command.first(), command.mid(1));
    const bool ok = process.waitForFinished(10000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (error) *error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return ok;
}

// Runs the notifier's reads until the watch reports a change or `ms` have passed.
bool ChangeWithin(AddressChangeWatch& watch, int ms) {
    QElapsedTimer timer;
    timer.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (watch.TakeChange()) return true;
    } while (timer.elapsed() < ms);
    return false;
}

}  // namespace

TEST(NoticesChangeAddress, addressAndLinkNoticesCountButWirelessEventsDoNot) {
    EXPECT_TRUE(Changes(Notice(RTM_NEWADDR)));
    EXPECT_TRUE(Changes(Notice(RTM_DELADDR)));
    EXPECT_TRUE(Changes(Notice(RTM_NEWLINK)));
    EXPECT_TRUE(Changes(Notice(RTM_NEWLINK, IFLA_MTU)));
    EXPECT_TRUE(Changes(Notice(RTM_DELLINK)));
    EXPECT_FALSE(Changes(Notice(RTM_NEWLINK, IFLA_WIRELESS)));  // a Wi-Fi scan's results
    EXPECT_FALSE(Changes(Notice(RTM_NEWROUTE)));
    EXPECT_FALSE(Changes({}));
    // Every message of a datagram is read, not only the first.
    EXPECT_TRUE(Changes(Notice(RTM_NEWLINK, IFLA_WIRELESS) + Notice(RTM_NEWADDR)));
    // A message whose length runs past the datagram: its notice is unread, so it counts.
    QByteArray cut = Notice(RTM_NEWLINK, IFLA_WIRELESS) + Notice(RTM_NEWLINK, IFLA_WIRELESS);
    cut.chop(4);
    EXPECT_TRUE(Changes(cut));
}

// A network namespace of the test's own: the watch there hears only the test's changes,
// and deleting the namespace deletes the interface whatever happens.
class NetlinkAddressWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "needs root to create a network namespace";
        namespace_ = QStringLiteral("vantoril-addr-%1").arg(getpid());
        QString error;
        if (!RunCommand({"ip", "netns", "add", namespace_}, &error))
            GTEST_SKIP() << "cannot create a network namespace: " << error.toStdString();
        created_ = true;
        // The socket stays in the namespace it was opened in: only its opening is done there.
        const int original = open("/proc/self/ns/net", O_RDONLY | O_CLOEXEC);
        const int target =
            open(QFile::encodeName("/run/netns/" + namespace_).constData(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(original, 0);
        ASSERT_GE(target, 0);
        ASSERT_EQ(setns(target, CLONE_NEWNET), 0);
        watch_ = std::make_unique<NetlinkAddressWatch>();
        ASSERT_EQ(setns(original, CLONE_NEWNET), 0);
        close(target);
        close(original);
        ASSERT_TRUE(watch_->IsWatching());
        // A dummy interface where the kernel has the module, else a TUN device left down.
        if (!Ip({"link", "add", kInterface, "type", "dummy"}, &error) &&
            !Ip({"tuntap", "add", "dev", kInterface, "mode", "tun"}, &error))
            GTEST_SKIP() << "cannot create a network interface: " << error.toStdString();
    }

    void TearDown() override {
        if (created_) RunCommand({"ip", "netns", "delete", namespace_});
    }

    bool Ip(const QStringList& arguments, QString* error = nullptr) {
        return RunCommand(QStringList{"ip", "netns", "exec", namespace_, "ip"} + arguments, error);
    }

    const QString kInterface = QStringLiteral("vtaddr0");
    QString namespace_;
    bool created_ = false;
    std::unique_ptr<NetlinkAddressWatch> watch_;
};

TEST_F(NetlinkAddressWatchTest, anAddressAddedOrRemovedOrALinkUpIsAChange) {
    ASSERT_TRUE(ChangeWithin(*watch_, 5000)) << "no notice of the new interface";
    ChangeWithin(*watch_, 300);  // its last notices
    EXPECT_FALSE(ChangeWithin(*watch_, 300)) << "a change reported while nothing changed";

    ASSERT_TRUE(Ip({"addr", "add", "192.0.2.7/32", "dev", kInterface}));
    EXPECT_TRUE(ChangeWithin(*watch_, 5000)) << "no notice of the new address";
    ASSERT_TRUE(Ip({"addr", "del", "192.0.2.7/32", "dev", kInterface}));
    EXPECT_TRUE(ChangeWithin(*watch_, 5000)) << "no notice of the removed address";
    ASSERT_TRUE(Ip({"link", "set", kInterface, "up"}));
    EXPECT_TRUE(ChangeWithin(*watch_, 5000)) << "no notice of the link going up";
}

TEST(SystemAddressWatch, theHostNameAndTheHostsFileCountBesideTheKernel) {
    TempFolder temp;
    temp.Write(QStringLiteral("hosts"), "127.0.0.1 localhost\n");
    // Every write of the test is older than two seconds to the watch, so only a real
    // difference counts.
    const auto later = [] { return (QDateTime::currentMSecsSinceEpoch() + 10000) * 1000000; };
    auto kernel = std::make_unique<FakeAddressWatch>();
    FakeAddressWatch& notices = *kernel;
    auto renameNotices = std::make_unique<FakeAddressWatch>();
    FakeAddressWatch& renames = *renameNotices;
    QString hostName = QStringLiteral("workstation");
    SteppingClock clock;
    SystemAddressWatch watch(
        clock, std::move(kernel), FileChangeWatch(temp.File("hosts"), later),
        [&hostName] { return hostName; }, std::move(renameNotices));
    EXPECT_TRUE(watch.IsWatching());
    EXPECT_TRUE(watch.TakeChange());  // the first look
    EXPECT_FALSE(watch.TakeChange());

    notices.changed = true;
    EXPECT_TRUE(watch.TakeChange()) << "the kernel's notices count at once";
    EXPECT_FALSE(watch.TakeChange());

    hostName = QStringLiteral("laptop");
    clock.Step(2000);
    EXPECT_FALSE(watch.TakeChange()) << "the name is asked for again only after a notice";
    renames.changed = true;
    clock.Step(1999);
    EXPECT_FALSE(watch.TakeChange()) << "the host name is looked at every 2 s";
    clock.Step(1);
    EXPECT_TRUE(watch.TakeChange());
    EXPECT_FALSE(watch.TakeChange());

    temp.Write(QStringLiteral("hosts"), "127.0.0.1 localhost\n192.168.0.7 laptop\n");
    QCoreApplication::processEvents();  // the file's notice comes through the event loop
    clock.Step(2000);
    EXPECT_TRUE(watch.TakeChange());
    clock.Step(2000);
    EXPECT_FALSE(watch.TakeChange());

    EXPECT_FALSE(SystemAddressWatch(clock, std::make_unique<FakeAddressWatch>(false)).IsWatching());
}

TEST(SystemAddressWatch, withoutRenameNoticesTheNameIsAskedAtEveryLook) {
    QString hostName = QStringLiteral("workstation");
    SteppingClock clock;
    SystemAddressWatch watch(
        clock, std::make_unique<FakeAddressWatch>(), FileChangeWatch(QString()),
        [&hostName] { return hostName; }, std::make_unique<FakeAddressWatch>(false));
    EXPECT_TRUE(watch.TakeChange());
    hostName = QStringLiteral("laptop");
    clock.Step(2000);
    EXPECT_TRUE(watch.TakeChange());
}

// The kernel tells of each new name once, and of nothing while the name stays: a notifier
// waiting for the wrong condition on this file would wake the loop at every turn. The name is
// set in a UTS namespace of a thread of its own, leaving the machine's alone; the kernel's
// notice is the same for every namespace.
TEST(HostNameWatch, hearsEachNewNameOnce) {
    HostNameWatch watch;
    if (!watch.IsWatching()) GTEST_SKIP() << "no /proc/sys/kernel/hostname here";
    EXPECT_FALSE(ChangeWithin(watch, 200)) << "a change reported while the name stayed";
    int error = 0;
    std::thread([&error] {
        if (::unshare(CLONE_NEWUTS) != 0 || ::sethostname("renamed", 7) != 0) error = errno;
    }).join();
    if (error) GTEST_SKIP() << "a host name cannot be set here: " << std::strerror(error);
    EXPECT_TRUE(ChangeWithin(watch, 5000)) << "no notice of the new name";
    EXPECT_FALSE(ChangeWithin(watch, 200)) << "one new name told twice";
}
