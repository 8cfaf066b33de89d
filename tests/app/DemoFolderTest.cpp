// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's program folder: every file the program reads, in forms it accepts.
#include "app/DemoFolder.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "link/ScenarioLink.h"
#include "script/SyntaxChecker.h"
#include "tariff/TariffFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(DemoFolder, holdsSettingsTariffScriptScenarioAndStatisticsFolder) {
    QString path;
    {
        DemoFolder demo;
        QString error;
        ASSERT_TRUE(demo.Create(&error)) << error.toStdString();
        path = demo.Path();
        const ProgramFolder folder(path);
        const Settings settings = LoadSettings(folder);
        EXPECT_EQ(settings.Transparent, 235);
        EXPECT_EQ(settings.full, 1);
        EXPECT_EQ(settings.auto_show, 1);
        EXPECT_EQ(GetDataTar(folder, 3), 1);
        EXPECT_EQ(GetDataTar(folder, 12), 0);
        EXPECT_EQ(GetMoneyTar(folder, 0), 2.5f);
        EXPECT_TRUE(QFileInfo(folder.AppFilePath(QStringLiteral("connections"))).isDir());
        EXPECT_TRUE(QFileInfo::exists(folder.AppFilePath(QStringLiteral("script.vsc"))));
        QString scenarioError;
        EXPECT_TRUE(ScenarioLink::LoadFile(folder.AppFilePath(QStringLiteral("demo.scenario")),
                                           &scenarioError))
            << scenarioError.toStdString();
    }
    EXPECT_FALSE(QDir(path).exists());  // nothing of the demo stays behind
}

TEST(DemoFolder, sampleScriptPassesTheSyntaxCheck) {
    DemoFolder demo;
    QString error;
    ASSERT_TRUE(demo.Create(&error));
    QFile file(QDir(demo.Path()).filePath(QStringLiteral("script.vsc")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    SyntaxChecker checker;
    checker.SetCode(QString::fromUtf8(file.readAll()));
    EXPECT_EQ(checker.CheckSyntax(), QString());
}
