// SPDX-License-Identifier: GPL-3.0-or-later
// Everything an indicator window needs, over a fake link in a temporary program folder.
#pragma once

#include "FakeLink.h"
#include "FixedAddress.h"
#include "FixedClock.h"
#include "Locales.h"
#include "TempFolder.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "indicator/SampleTick.h"
#include "indicator/TrafficCounters.h"
#include "indicator/ui/IndicatorWindow.h"
#include "link/LocalAddress.h"
#include "link/MonotonicClock.h"

#include <QCoreApplication>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

class IndicatorFixture : public ::testing::Test {
protected:
    IndicatorFixture()
        : folder(temp.Path()),
          address(link, steady, std::make_shared<FixedAddress>()),
          sampling(folder, clock, link, settings, counters) {}

    void WriteSettings(const QByteArray& lines) {
        temp.Write(QStringLiteral("inet.conf"), "[Vantoril]\r\n" + lines);
        QCoreApplication::processEvents();  // the file's notice, as between two ticks
    }

    std::unique_ptr<IndicatorWindow> LoadIndicator() {
        auto form = std::make_unique<IndicatorWindow>(
            IndicatorServices{folder, settings, counters, link, address, sampling,
                              [this] { ScriptRan(); }, RussianLocale()});
        current = form.get();
        form->Load();
        return form;
    }

    void ScriptRan() {
        ++scriptRuns;
        if (onScript) onScript(*current);
    }

    TempFolder temp;
    ProgramFolder folder;
    FixedClock clock;
    SteadyClock steady;
    FakeLink link;
    Settings settings;
    TrafficCounters counters;
    LocalAddress address;
    SampleTick sampling;
    IndicatorWindow* current = nullptr;
    int scriptRuns = 0;
    std::function<void(IndicatorWindow&)> onScript;
};
