// SPDX-License-Identifier: GPL-3.0-or-later
// An alert's "Отключиться" ends only the connection it was raised for.
#include "FakeLink.h"
#include "app/AlertActions.h"

#include <gtest/gtest.h>

namespace {
void Invoke(const QList<NotificationAction>& actions, const QString& key) {
    for (const NotificationAction& action : actions)
        if (action.key == key) action.run();
}
}  // namespace

TEST(AlertActions, hangUpEndsTheConnectionOfTheAlertAndNoLaterOne) {
    FakeLink link;
    link.connected = true;
    link.stats.connection = 7;
    int historyShown = 0;
    const QList<NotificationAction> actions = AlertActions(link, 7, [&] { ++historyShown; });
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0].label, QStringLiteral("Отключиться"));
    EXPECT_EQ(actions[1].label, QStringLiteral("История"));

    link.stats.connection = 8;  // dialled again since the alert
    Invoke(actions, actions[0].key);
    EXPECT_TRUE(link.connected);
    link.stats.connection = 7;
    Invoke(actions, actions[0].key);
    EXPECT_FALSE(link.connected);
    Invoke(actions, actions[1].key);
    EXPECT_EQ(historyShown, 1);

    // Raised with no connection up: there is nothing to hang up.
    const QList<NotificationAction> offline = AlertActions(link, 0, [] {});
    ASSERT_EQ(offline.size(), 1);
    EXPECT_EQ(offline[0].label, QStringLiteral("История"));
}
