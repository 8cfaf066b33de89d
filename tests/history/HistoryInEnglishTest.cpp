// SPDX-License-Identifier: GPL-3.0-or-later
// The history in English: dates and counts read as English does, and the exported files
// are byte for byte those of the Russian program.
#include "HistoryFixture.h"
#include "Locales.h"
#include "core/ProgramFolder.h"
#include "core/UiLanguage.h"
#include "history/HistoryReports.h"
#include "history/HistoryView.h"
#include "history/ReportTable.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace history_fixture;

namespace {

// The connections of the fixture in every format, as written in the current language.
QStringList ConnectionsWritten(const TempFolder& folder) {
    HistoryStore store(folder.File(QLatin1String(kHistoryFile)));
    EXPECT_TRUE(store.Open(HistoryStore::Mode::ReadOnly));
    const ReportTable table = ConnectionsTable(store, std::nullopt, std::nullopt);
    QStringList written;
    for (const ReportFormat format : {ReportFormat::Csv, ReportFormat::Json, ReportFormat::Table})
        written << Written(table, format, false, RussianLocale());
    return written;
}

class HistoryInEnglish : public ::testing::Test {
protected:
    void SetUp() override { WriteAll(folder); }
    void TearDown() override {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    TempFolder folder;
};

}  // namespace

TEST_F(HistoryInEnglish, datesAndCountsReadAsEnglish) {
    ASSERT_TRUE(InstallProgramTranslation({QStringLiteral("en")}));
    const HistoryView view = LoadHistoryView(ProgramFolder(folder.Path()), kNow, RussianLocale());
    EXPECT_EQ(view.periodText,
              QStringLiteral("Billing period: 10 March – 9 April 2026, day 11 of 31"));
    // 21 takes the Russian singular; English wants the plural.
    EXPECT_EQ(view.daysLeftText, QStringLiteral("Left: 21 days, today included"));
    ASSERT_FALSE(view.months.isEmpty());
    EXPECT_EQ(view.months.last().label, QStringLiteral("Mar"));
}

TEST_F(HistoryInEnglish, exportedFilesDoNotChangeWithTheLanguage) {
    const QStringList russian = ConnectionsWritten(folder);
    ASSERT_TRUE(InstallProgramTranslation({QStringLiteral("en")}));
    const QStringList english = ConnectionsWritten(folder);
    ASSERT_EQ(english.size(), 3);
    EXPECT_EQ(english[0], russian[0]) << "CSV";
    EXPECT_EQ(english[1], russian[1]) << "JSON";
    // The table on a terminal is for reading, in the reader's language.
    EXPECT_TRUE(english[2].contains(QStringLiteral("Connection")));
    EXPECT_TRUE(russian[2].contains(QStringLiteral("Соединение")));
}
