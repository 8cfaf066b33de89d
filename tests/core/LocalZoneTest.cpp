// SPDX-License-Identifier: GPL-3.0-or-later
// The zone is read once from its file and again when another zone replaces the file.
#include "TempFolder.h"
#include "core/Clock.h"
#include "core/LocalZone.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace {

long OffsetNowSeconds() {
    const time_t now = std::time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    return local.tm_gmtoff;
}

}  // namespace

TEST(LocalZone, followsTheZoneFileBeingReplacedAndLeavesAUserTzAlone) {
    const QString tokyo = QStringLiteral("/usr/share/zoneinfo/Asia/Tokyo");
    const QString moscow = QStringLiteral("/usr/share/zoneinfo/Europe/Moscow");
    if (!QFile::exists(tokyo) || !QFile::exists(moscow)) GTEST_SKIP() << "no zone files here";
    const char* saved = std::getenv("TZ");
    const QByteArray before = saved ? QByteArray(saved) : QByteArray();
    ::unsetenv("TZ");

    TempFolder temp;
    ASSERT_TRUE(QFile::copy(tokyo, temp.File("localtime")));
    {
        LocalZone zone(temp.File("localtime"));
        EXPECT_EQ(OffsetNowSeconds(), 9 * 3600);
        zone.Follow();
        EXPECT_EQ(OffsetNowSeconds(), 9 * 3600) << "nothing changed";
        // A new zone is put in place the way the system tools do: a rename over the file.
        ASSERT_TRUE(QFile::copy(moscow, temp.File("new")));
        ASSERT_EQ(::rename(QFile::encodeName(temp.File("new")).constData(),
                           QFile::encodeName(temp.File("localtime")).constData()),
                  0);
        EXPECT_EQ(OffsetNowSeconds(), 9 * 3600) << "still the zone read at start";
        QCoreApplication::processEvents();  // the notice comes through the event loop
        zone.Follow();
        EXPECT_EQ(OffsetNowSeconds(), 3 * 3600);
        // The clock's quick hour is the hour of the zone that Qt converts to.
        const SystemClock clock;
        const int before = clock.Now().time().hour();
        const int hour = clock.Hour();
        if (clock.Now().time().hour() == before) {
            EXPECT_EQ(hour, before);
        }
    }
    ::setenv("TZ", "UTC0", 1);
    LocalZone userZone(temp.File("localtime"));
    EXPECT_STREQ(std::getenv("TZ"), "UTC0");

    if (saved)
        ::setenv("TZ", before.constData(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}
