// SPDX-License-Identifier: GPL-3.0-or-later
// The connections offered for link_source: NetworkManager's (dbusmock) and the kernel's.
#include "MockNetworkManager.h"
#include "TempFolder.h"
#include "link/LinkChoices.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {
struct Listing {
    std::vector<LinkChoice> found;
    bool answered = false;
    bool done = false;
};

Listing ListNetworkManager(const QDBusConnection& bus) {
    Listing listing;
    NetworkManagerChoices choices(bus, [&](const std::vector<LinkChoice>& found, bool answered) {
        listing = {found, answered, true};
    });
    EXPECT_FALSE(listing.done) << "told from the event loop, never while being made";
    EXPECT_TRUE(QTest::qWaitFor([&] { return listing.done; }, 10000));
    return listing;
}
}  // namespace

TEST(LinkChoices, networkManagerListsItsActiveConnectionsFirstThenTheKnownOnes) {
    MockNetworkManager mock;
    if (!mock.Unavailable().isEmpty()) GTEST_SKIP() << qPrintable(mock.Unavailable());
    (void)mock.AddProfile(QStringLiteral("Home"), QStringLiteral("802-11-wireless"), 2);
    const QString mobile = mock.AddProfile(QStringLiteral("Mobile"), QStringLiteral("gsm"), 1);
    (void)mock.Activate(mock.AddDevice(QStringLiteral("modem0"), QStringLiteral("ppp0"), 8), mobile,
                        QStringLiteral("Mobile"));
    const Listing listing = ListNetworkManager(mock.Bus());
    EXPECT_TRUE(listing.answered);
    QStringList lines, settings;
    for (const LinkChoice& choice : listing.found) {
        lines << ChoiceText(choice);
        settings << choice.setting;
    }
    EXPECT_EQ(lines, QStringList({QStringLiteral("Mobile — мобильная связь, лимитное, активно"),
                                  QStringLiteral("Home — Wi-Fi, безлимитное")}));
    EXPECT_EQ(settings, QStringList({QStringLiteral("networkmanager:Mobile"),
                                     QStringLiteral("networkmanager:Home")}));
}

TEST(LinkChoices, withoutNetworkManagerTheListIsEmptyAndSaysSo) {
    const Listing listing = ListNetworkManager(QDBusConnection(QStringLiteral("never connected")));
    EXPECT_FALSE(listing.answered);
    EXPECT_TRUE(listing.found.empty());
}

TEST(LinkChoices, theKernelOffersItsPointToPointInterfacesOnly) {
    TempFolder sys;
    for (const char* name : {"eth0", "lo", "ppp0", "tun1", "wwan0"}) QDir(sys.Path()).mkdir(name);
    QStringList settings;
    for (const LinkChoice& choice : KernelChoices(KernelPaths{sys.Path()}))
        settings << choice.setting;
    EXPECT_EQ(settings, QStringList({QStringLiteral("kernel:ppp0"), QStringLiteral("kernel:tun1"),
                                     QStringLiteral("kernel:wwan0")}));
    EXPECT_EQ(ChoiceText(AutomaticChoice()), QStringLiteral("автоматически"));
}
