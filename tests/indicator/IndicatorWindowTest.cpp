// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator window as a user meets it: lines, heights, position, menu and timers.
#include "IndicatorFixture.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {
QString Text(const IndicatorWindow& form, const char* label) {
    return form.findChild<QLabel*>(QLatin1String(label))->text();
}

QTimer& Timer(const IndicatorWindow& form, const char* name) {
    return *form.findChild<QTimer*>(QLatin1String(name));
}
}  // namespace

using IndicatorWindowWindow = IndicatorFixture;

TEST_F(IndicatorWindowWindow, showsTheCountersOfThePreviousTickUnderTheCaptionOfTheLink) {
    WriteSettings("Type_tar=2\r\nTransparent=255\r\n");
    link.connected = true;
    link.stats.bytesReceived = 1572864;
    link.stats.bitsPerSecond = 48000;
    link.stats.connectedMs = 3725000;
    auto form = LoadIndicator();  // the load's tick computes; the display still shows zeros
    EXPECT_EQ(form->windowTitle(), QStringLiteral("MyISP"));
    EXPECT_EQ(form->accessibleName(), QStringLiteral("MyISP"));  // what screen readers say
    for (const char* picture : {"Image2", "Picture1", "Image1"})
        EXPECT_FALSE(form->findChild<QLabel*>(QLatin1String(picture))->accessibleName().isEmpty())
            << picture;
    EXPECT_EQ(Text(*form, "Label2"), QStringLiteral("Получено: 0"));
    form->RunSamplingTick();
    EXPECT_EQ(Text(*form, "Label2"), QStringLiteral("Получено: 1,5"));
    EXPECT_EQ(Text(*form, "Label5"), QStringLiteral("Скорость: 48000"));
    EXPECT_EQ(Text(*form, "Label7"), QStringLiteral("Время: 1:02:05"));
    EXPECT_EQ(Text(*form, "Label8"), QString());

    link.connected = false;
    form->RunSamplingTick();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Не найдено!"));
    EXPECT_EQ(form->accessibleName(), QStringLiteral("Не найдено!"));
    EXPECT_EQ(Text(*form, "Label2"), QStringLiteral("Получено: 1,5"));
}

TEST_F(IndicatorWindowWindow, tariffTypeDecidesWhichLinesCarryACost) {
    temp.Write(QStringLiteral("tar.money.dat"), QByteArray("\0\0\0\x40", 4));  // class 0 costs 2
    link.connected = true;
    link.stats.bytesReceived = 1572864;
    link.stats.connectedMs = 90000;
    WriteSettings("Type_tar=0\r\n");
    auto form = LoadIndicator();
    form->RunSamplingTick();
    EXPECT_EQ(Text(*form, "Label2"), QStringLiteral("Получено: 1,5 / 3"));
    EXPECT_EQ(Text(*form, "Label7"), QStringLiteral("Время: 0:01:30"));
    WriteSettings("Type_tar=1\r\n");
    form->RunSamplingTick();
    EXPECT_EQ(Text(*form, "Label2"), QStringLiteral("Получено: 1,5"));
    EXPECT_EQ(Text(*form, "Label7"), QStringLiteral("Время: 0:01:30 / 0,05"));
}

TEST_F(IndicatorWindowWindow, heightFollowsFullAtEveryTick) {
    WriteSettings("full=1\r\n");
    auto form = LoadIndicator();
    EXPECT_EQ(form->height(), 94);  // 1770 twips less the 360 of title bar and frame
    EXPECT_EQ(form->width(), 273);
    WriteSettings("full=0\r\n");
    form->RunSamplingTick();
    EXPECT_EQ(form->height(), 63);  // 1305 twips: the graph row is cut off
    EXPECT_EQ(form->width(), 273);
}

TEST_F(IndicatorWindowWindow, opacityFollowsTransparent) {
    WriteSettings("Transparent=51\r\n");
    auto form = LoadIndicator();
    EXPECT_NEAR(form->windowOpacity(), 0.2, 0.01);
}

TEST_F(IndicatorWindowWindow, positionIsReadAtLoadAndWrittenAtUnload) {
    WriteSettings("i_left=-30000\r\ni_top=1500\r\n");
    auto form = LoadIndicator();
    EXPECT_EQ(form->pos(), QPoint(-2000, 100));
    form->move(40, 60);
    form->Unload();
    const QByteArray conf = temp.Read(QStringLiteral("inet.conf"));
    EXPECT_TRUE(conf.contains("i_top=900\r\n")) << conf.toStdString();
    EXPECT_TRUE(conf.contains("i_left=600\r\n")) << conf.toStdString();
    EXPECT_FALSE(Timer(*form, "Timer1").isActive());
}

TEST_F(IndicatorWindowWindow, missingOrNonNumericPositionIsTheTopLeftCorner) {
    WriteSettings("i_left=abc\r\n");
    auto form = LoadIndicator();
    EXPECT_EQ(form->pos(), QPoint(0, 0));
}

TEST_F(IndicatorWindowWindow, rightPressOnAnyLabelAsksForTheMenuAndLeftPressDoesNot) {
    auto form = LoadIndicator();
    QSignalSpy menu(form.get(), &IndicatorWindow::menuRequested);
    auto* label8 = form->findChild<QLabel*>(QStringLiteral("Label8"));
    QTest::mousePress(label8, Qt::LeftButton);
    EXPECT_EQ(menu.count(), 0);
    QTest::mousePress(label8, Qt::RightButton);
    EXPECT_EQ(menu.count(), 1);
    QTest::mousePress(form->findChild<QLabel*>(QStringLiteral("Label2")), Qt::RightButton);
    EXPECT_EQ(menu.count(), 2);
    QTest::mousePress(form->findChild<QLabel*>(QStringLiteral("Picture1")), Qt::RightButton);
    QTest::mousePress(form.get(), Qt::RightButton);
    EXPECT_EQ(menu.count(), 2);
}

TEST_F(IndicatorWindowWindow, loadRunsOneScriptAndStartsTheTimers) {
    auto form = LoadIndicator();
    EXPECT_EQ(scriptRuns, 1);
    EXPECT_EQ(Timer(*form, "Timer1").interval(), 500);
    EXPECT_EQ(Timer(*form, "Timer2").interval(), 5000);
    EXPECT_EQ(Timer(*form, "Timer3").interval(), 1000);
    EXPECT_TRUE(Timer(*form, "Timer3").isActive());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(IndicatorWindowWindow, intervalSetByTheFirstScriptRunIsKept) {
    onScript = [](IndicatorWindow& form) { form.SetScriptInterval(1000); };
    auto form = LoadIndicator();
    EXPECT_EQ(Timer(*form, "Timer2").interval(), 1000);
    EXPECT_TRUE(Timer(*form, "Timer2").isActive());
}

TEST_F(IndicatorWindowWindow, intervalsOutsideTheRangeChangeNothing) {
    auto form = LoadIndicator();
    form->SetRefreshInterval(65536);
    form->SetRefreshInterval(-1);
    EXPECT_EQ(Timer(*form, "Timer1").interval(), 500);
    form->SetRefreshInterval(65535);
    EXPECT_EQ(Timer(*form, "Timer1").interval(), 65535);
}

TEST_F(IndicatorWindowWindow, refreshIntervalZeroFreezesTheDisplayUntilTheNextLoad) {
    auto form = LoadIndicator();
    const QString frozen = Text(*form, "Label2");
    form->SetRefreshInterval(0);
    EXPECT_FALSE(Timer(*form, "Timer1").isActive());
    link.connected = true;
    link.stats.bytesReceived = 1572864;
    QTest::qWait(1200);  // two intervals of the load's 500 ms: no tick runs
    EXPECT_EQ(Text(*form, "Label2"), frozen);
    EXPECT_TRUE(Timer(*form, "Timer3").isActive());  // the graph goes on

    form->Unload();
    form = LoadIndicator();
    EXPECT_TRUE(Timer(*form, "Timer1").isActive());
    EXPECT_EQ(Timer(*form, "Timer1").interval(), 500);
}

TEST_F(IndicatorWindowWindow, aTickThatWouldStartInsideItselfIsSkipped) {
    auto form = LoadIndicator();
    onScript = [](IndicatorWindow& form) { form.RunScriptTick(); };
    form->RunScriptTick();
    EXPECT_EQ(scriptRuns, 2);  // the load's run and this one; the nested start was skipped
}

TEST_F(IndicatorWindowWindow, messageLineIsRedAndKeepsItsText) {
    auto form = LoadIndicator();
    form->SetMessageText(QStringLiteral("Лимит!"));
    form->RunSamplingTick();
    auto* label8 = form->findChild<QLabel*>(QStringLiteral("Label8"));
    EXPECT_EQ(label8->text(), QStringLiteral("Лимит!"));
    EXPECT_EQ(label8->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(119, 149, 175));
}

TEST_F(IndicatorWindowWindow, graphTickDrawsIntoThePicture) {
    link.connected = true;
    link.stats.bitsPerSecond = 48000;
    auto form = LoadIndicator();
    form->RunGraphTick();
    link.stats.bytesReceived = 3000;
    form->RunGraphTick();
    const QImage shown = form->findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().toImage();
    EXPECT_EQ(QColor(shown.pixel(216, 29)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(shown.pixel(216, 14)), QColor(255, 0, 0));  // 16 pixels high
    EXPECT_NE(QColor(shown.pixel(216, 13)), QColor(255, 0, 0));
}

using IndicatorCaptionOnAnXServer = IndicatorFixture;

// Qt would put the program's name into an empty caption; xprop reads what X is given.
TEST_F(IndicatorCaptionOnAnXServer, aConnectionWithAnEmptyNameHasAnEmptyCaption) {
    if (QGuiApplication::platformName() != u"xcb") GTEST_SKIP() << "needs an X server";
    link.connected = true;
    auto form = LoadIndicator();
    const auto caption = [&](const char* name) {
        link.name = QString::fromUtf8(name);
        form->RunSamplingTick();
        QProcess xprop;
        xprop.start("xprop", {"-id", QString::number(form->winId()), "_NET_WM_NAME"});
        xprop.waitForFinished();
        return QString::fromUtf8(xprop.readAllStandardOutput()).section(u'=', 1).trimmed();
    };
    form->show();
    EXPECT_EQ(caption("MyISP"), QStringLiteral("\"MyISP\""));
    EXPECT_EQ(caption(""), QString());  // "_NET_WM_NAME(UTF8_STRING) = "
}
