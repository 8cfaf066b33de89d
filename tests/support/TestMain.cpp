// SPDX-License-Identifier: GPL-3.0-or-later
// Test entry point: a QApplication on the offscreen platform (unless a display is asked
// for), so that logic and widget tests alike run without a screen; windows find this
// build's chart module.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef VANTORIL_CHART_MODULE
    // The history window's chart lies beside the program in the build tree, not beside a test.
    qputenv("VANTORIL_CHART_MODULE", VANTORIL_CHART_MODULE);
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
