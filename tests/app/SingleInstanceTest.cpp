// One running program per user.
#include "app/SingleInstance.h"

#include "TempFolder.h"

#include <QSysInfo>

#include <gtest/gtest.h>

#include <memory>

TEST(SingleInstance, secondHolderIsRefusedUntilTheFirstHasGone) {
    TempFolder folder;
    auto first = std::make_unique<SingleInstance>(folder.Path());
    ASSERT_TRUE(first->Acquire());
    EXPECT_TRUE(first->Acquire());  // asking again keeps the lock
    SingleInstance second(folder.Path());
    EXPECT_FALSE(second.Acquire());
    first.reset();
    EXPECT_TRUE(second.Acquire());
}

TEST(SingleInstance, lockLeftByADeadProcessIsTakenOver) {
    TempFolder folder;
    // A lock file of this machine naming a process that cannot exist.
    folder.Write(QStringLiteral("vantoril.lock"),
                 "999999999\nvantoril\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    SingleInstance instance(folder.Path());
    EXPECT_TRUE(instance.Acquire());
}
