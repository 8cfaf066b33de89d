// SPDX-License-Identifier: GPL-3.0-or-later
// NetworkManager's connections offered for link_source, against dbusmock.
#include "MockNetworkManager.h"
#include "link/LinkChoices.h"

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
