// SPDX-License-Identifier: GPL-3.0-or-later
// A running program over a fake link in a temporary program folder, tray and all.
#pragma once

#include "FakeLink.h"
#include "FixedAddress.h"
#include "FixedClock.h"
#include "Locales.h"
#include "PrivateBus.h"
#include "SteppingClock.h"
#include "TempFolder.h"
#include "app/Application.h"
#include "app/SingleInstance.h"
#include "indicator/ui/IndicatorWindow.h"
#include "settings/ui/SettingsWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>
#include <memory>

class ApplicationFixture : public ::testing::Test {
protected:
    void WriteSettings(const QByteArray& lines) {
        programFolder.Write(QStringLiteral("inet.conf"),
                            "[Vantoril]\r\nTransparent=255\r\n" + lines);
    }

    // A notification area that reports double clicks (an X11 tray) unless told otherwise.
    // The program's bus service goes to `bus`, by default none. Its link is a FakeLink
    // (`link`) that starts as `linkAtStart` says, unless one is given.
    Application& Run(TrayHost tray = TrayHost{true, true},
                     QDBusConnection bus = QDBusConnection(QString()),
                     std::unique_ptr<LinkSource> source = nullptr) {
        if (!source) source = std::make_unique<FakeLink>(linkAtStart);
        link = dynamic_cast<FakeLink*>(source.get());
        app = std::make_unique<Application>(ProgramFolder(programFolder.Path()), std::move(source),
                                            clock, steady, RussianLocale(), tray,
                                            std::make_shared<FixedAddress>());
        started = app->Start(instance, bus);
        return *app;
    }

    QAction& Item(const char* name) {
        return *app->SettingsUi().findChild<QAction*>(QLatin1String(name));
    }
    QString Conf() const {
        return QString::fromUtf8(programFolder.Read(QStringLiteral("inet.conf")));
    }
    QString Message() {
        return app->Indicator().findChild<QLabel*>(QStringLiteral("Label8"))->text();
    }

    // Closes the modal box that the code under test is about to open, noting its text.
    void CloseNextBox(QString* text) {
        QTimer::singleShot(0, [text] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
                *text = label->text();
            box->close();
        });
    }

    TempFolder programFolder;
    TempFolder lockFolder;
    SingleInstance instance{lockFolder.Path(), programFolder.Path()};
    FixedClock clock;
    SteppingClock steady;
    FakeLink linkAtStart;
    FakeLink* link = nullptr;
    std::unique_ptr<Application> app;
    bool started = false;
};

// The program with a private session bus of its own; skipped where no bus can be started.
class ApplicationOnBus : public ApplicationFixture {
protected:
    void SetUp() override {
        QString why;
        if (!bus.Start(&why)) GTEST_SKIP() << qPrintable(why);
    }
    PrivateBus bus;
};
