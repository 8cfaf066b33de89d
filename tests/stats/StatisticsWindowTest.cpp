// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics viewer driven through its controls on the offscreen platform.
#include "TempFolder.h"
#include "stats/ConnectionFileName.h"
#include "stats/ui/StatisticsWindow.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

class StatisticsWindowTest : public ::testing::Test {
protected:
    void WriteStatistics(const QString& fileName, const QByteArray& bytes) const {
        folder.Write(QStringLiteral("connections/") + fileName, bytes);
    }
    // The window as the tray menu opens it; error boxes are collected instead of shown.
    StatisticsWindow* Open() {
        window = new StatisticsWindow(ProgramFolder(folder.Path()), nullptr,
                                      [this](QWidget*, const QString& text) { errors << text; });
        window->show();
        return window;
    }
    QComboBox* Combo(const char* name) const { return window->findChild<QComboBox*>(name); }
    QString Amount() const { return window->findChild<QLabel*>("Label3")->text(); }
    void Choose(QComboBox* list, int index) const {
        list->setCurrentIndex(index);
        Q_EMIT list->activated(index);
    }

    void TearDown() override { delete window.data(); }

    TempFolder folder;
    QPointer<StatisticsWindow> window;
    QStringList errors;
};

const QString kAmountLine = QStringLiteral("Потрачено за выбранную дату: ");

}  // namespace

TEST_F(StatisticsWindowTest, showsTheFirstConnectionItsFirstMonthAndThatAmount) {
    WriteStatistics(QStringLiteral("MyISP.vlg"),
                    "[Statistic]\r\n02.2008=31,4\r\n03.2008=15,75\r\n");
    WriteStatistics(QStringLiteral("Work.vlg"), "[Statistic]\r\n03.2008=7\r\n");
    Open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Просмотр статистики"));
    QStringList names = Items(Combo("Combo1"));
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("MyISP"), QStringLiteral("Work")}));
    EXPECT_EQ(Combo("Combo1")->currentIndex(), 0);

    Choose(Combo("Combo1"), Items(Combo("Combo1")).indexOf(QStringLiteral("MyISP")));
    EXPECT_EQ(Items(Combo("Combo2")),
              (QStringList{QStringLiteral("02.2008"), QStringLiteral("03.2008")}));
    EXPECT_EQ(Combo("Combo2")->currentText(), QStringLiteral("02.2008"));
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("31,4"));

    Choose(Combo("Combo2"), 1);
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("15,75"));

    Choose(Combo("Combo1"), Items(Combo("Combo1")).indexOf(QStringLiteral("Work")));
    EXPECT_EQ(Items(Combo("Combo2")), QStringList{QStringLiteral("03.2008")});
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("7"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(StatisticsWindowTest, choosingAgainRereadsBookingsMadeMeanwhile) {
    WriteStatistics(QStringLiteral("MyISP.vlg"), "[Statistic]\r\n02.2008=1\r\n");
    Open();
    WriteStatistics(QStringLiteral("MyISP.vlg"), "[Statistic]\r\n02.2008=2\r\n03.2008=5\r\n");
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("1"));  // not shown until asked for

    Choose(Combo("Combo2"), 0);
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("2"));
    EXPECT_EQ(Combo("Combo2")->count(), 1);

    Choose(Combo("Combo1"), 0);
    EXPECT_EQ(Items(Combo("Combo2")),
              (QStringList{QStringLiteral("02.2008"), QStringLiteral("03.2008")}));
}

TEST_F(StatisticsWindowTest, scrollingTheOpenConnectionListReloadsTheDates) {
    WriteStatistics(QStringLiteral("MyISP.vlg"), "[Statistic]\r\n02.2008=1\r\n03.2008=5\r\n");
    for (int i = 0; i < 40; ++i)
        WriteStatistics(QStringLiteral("C%1.vlg").arg(i), "[Statistic]\r\n01.2008=0\r\n");
    Open();
    Choose(Combo("Combo1"), Items(Combo("Combo1")).indexOf(QStringLiteral("MyISP")));
    Choose(Combo("Combo2"), 1);
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("5"));

    Combo("Combo1")->showPopup();
    QScrollBar* scroll = Combo("Combo1")->view()->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0) << "40 connections should need a scroll bar";
    scroll->setValue(scroll->value() == 0 ? 1 : 0);
    Combo("Combo1")->hidePopup();
    EXPECT_EQ(Combo("Combo1")->currentText(), QStringLiteral("MyISP"));
    EXPECT_EQ(Combo("Combo2")->currentIndex(), 0);
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("1"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(StatisticsWindowTest, emptyOrMissingFolderLeavesListsEmptyWithoutMessage) {
    Open();
    EXPECT_EQ(Combo("Combo1")->count(), 0);
    EXPECT_EQ(Combo("Combo2")->count(), 0);
    EXPECT_EQ(Amount(), QStringLiteral("Потрачено за выбранную дату:"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(StatisticsWindowTest, fileWithoutMonthsOrVanishedIsReported) {
    WriteStatistics(QStringLiteral("A.vlg"), "[Statistic]\r\n");
    WriteStatistics(QStringLiteral("B.vlg"), "[Statistic]\r\n03.2008=2\r\n");
    Open();
    const int empty = Items(Combo("Combo1")).indexOf(QStringLiteral("A"));
    const int other = Items(Combo("Combo1")).indexOf(QStringLiteral("B"));
    errors.clear();

    Choose(Combo("Combo1"), other);
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("2"));
    Choose(Combo("Combo1"), empty);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("A.vlg")));
    EXPECT_EQ(Combo("Combo2")->count(), 0);
    EXPECT_EQ(Amount(), QStringLiteral("Потрачено за выбранную дату:"));

    QFile::remove(folder.File(QStringLiteral("connections/B.vlg")));
    Choose(Combo("Combo1"), other);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[1].contains(QStringLiteral("B.vlg")));
}

TEST_F(StatisticsWindowTest, clearingDeletesEverythingAndClosesAndANewOpeningIsEmpty) {
    WriteStatistics(QStringLiteral("MyISP.vlg"), "[Statistic]\r\n03.2008=1\r\n");
    WriteStatistics(QStringLiteral("readme.txt"), "x");
    Open();
    window->findChild<QPushButton*>("Command1")->click();
    EXPECT_TRUE(errors.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());  // closed and gone
    EXPECT_EQ(QDir(folder.File(QStringLiteral("connections"))).entryList(QDir::Files),
              QStringList());

    Open();
    EXPECT_EQ(Combo("Combo1")->count(), 0);
    EXPECT_EQ(Combo("Combo2")->count(), 0);
}

TEST_F(StatisticsWindowTest, unsafeConnectionNameIsShownByItsRealNameWithItsAmount) {
    const QString name = QStringLiteral("../Мой ISP/2");
    WriteStatistics(EncodeConnectionName(name) + QStringLiteral(".vlg"),
                    "[Statistic]\r\n03.2008=4,5\r\n");
    Open();
    EXPECT_EQ(Items(Combo("Combo1")), QStringList{name});
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("4,5"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(StatisticsWindowTest, windowsNamedAndUnnamedConnectionsShowTheirMonths) {
    // "Работа.vlg" copied from a Windows installation, its name in Windows-1251.
    folder.WriteNamedInBytes("connections/\xd0\xe0\xe1\xee\xf2\xe0.vlg",
                             "[Statistic]\r\n02.2008=3\r\n");
    WriteStatistics(ConnectionFileName(QString()), "[Statistic]\r\n03.2008=6\r\n");
    Open();
    QStringList names = Items(Combo("Combo1"));
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("(без имени)"), QStringLiteral("Работа")}));

    Choose(Combo("Combo1"), Items(Combo("Combo1")).indexOf(QStringLiteral("Работа")));
    EXPECT_EQ(Items(Combo("Combo2")), QStringList{QStringLiteral("02.2008")});
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("3"));
    Choose(Combo("Combo1"), Items(Combo("Combo1")).indexOf(QStringLiteral("(без имени)")));
    EXPECT_EQ(Items(Combo("Combo2")), QStringList{QStringLiteral("03.2008")});
    EXPECT_EQ(Amount(), kAmountLine + QStringLiteral("6"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(StatisticsWindowTest, layoutFollowsTheTwipsOfTheDesignStretchedAlike) {
    Open();
    // Stretched as a whole (never shrunk) until the captions fit the desktop's font.
    const double pixelsPerTwip = window->width() / 4680.0;
    EXPECT_GE(pixelsPerTwip, 1.0 / 15 - 0.001);
    EXPECT_NEAR(window->height(), 2280 * pixelsPerTwip, 1);
    const QRect list = Combo("Combo1")->geometry();
    EXPECT_NEAR(list.left(), 1920 * pixelsPerTwip, 1);
    EXPECT_NEAR(list.top(), 90 * pixelsPerTwip, 1);
    EXPECT_NEAR(list.width(), 2655 * pixelsPerTwip, 1);
    EXPECT_EQ(window->findChild<QPushButton*>("Command1")->text(),
              QStringLiteral("Очистить статистику по всем соединениям"));
    for (const char* name : {"Label1", "Label2", "Frame1", "Label3", "Image1", "Combo2"})
        EXPECT_NE(window->findChild<QWidget*>(name), nullptr) << name;
}
