// SPDX-License-Identifier: GPL-3.0-or-later
// Faults at run time: what is reported, where the run stops, and what survives it.
#include "ScriptRunner.h"
#include "script/ScriptLines.h"

#include <gtest/gtest.h>

TEST(ScriptFaults, arithmeticFaultsAreReportedAndEndTheRun) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"var x", "x = #3", "x = 1 / 0", "message(x)"})),
              Ops({"error 11: Деление на ноль (строка 3)"}));
    EXPECT_EQ(runner.Run(Script({"var x", "x = 1e308 * 10", "message(x)"})),
              Ops({"error 6: Переполнение (строка 2)"}));
    EXPECT_EQ(runner.Run(Script({"var m", "var x", "m = 0 - 8", "x = m ^ 0.5", "message(x)"}))
                  .value(0)
                  .left(9),
              QStringLiteral("error 5: "));
    EXPECT_EQ(runner.Run(Script({"var x", "x = #1e400", "message(x)"})),
              Ops({"error 6: Переполнение (строка 2)"}));
}

TEST(ScriptFaults, aFaultInsideAConditionEndsTheRunToo) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"var x", "if (1 = 1) then x = 5 / 0", "message('after')"})),
              Ops({"error 11: Деление на ноль (строка 2)"}));
}

TEST(ScriptFaults, aRunEndedByAFaultLeavesNothingForTheNextRun) {
    ScriptRunner runner;
    runner.Run(Script({"var a", "a = #1", "a = a / 0"}));
    EXPECT_EQ(runner.Run(Script({"a = #2", "message(a)", "message(DL)"})),
              Ops({"message: ", "message: 0"}));
}

TEST(ScriptFaults, negativeBasesTakeWholePowers) {
    ScriptRunner runner;
    EXPECT_EQ(runner.Run(Script({"var m", "m = 0 - 2", "m = m ^ 3", "message(m)"})),
              Ops({"message: -8"}));
}

TEST(ScriptLimits, aScriptBeyondTheLimitsIsRefusedBeforeAnyLineRuns) {
    ScriptRunner runner;
    QStringList lines(kMaxScriptLines + 1, QStringLiteral(";"));
    lines[0] = QStringLiteral("message('a')");
    EXPECT_EQ(runner.Run(lines.join(QStringLiteral("\r\n"))),
              Ops({"error 6: В сценарии больше 32767 строк; сценарий не выполнен"}));
    const QString longLine =
        QStringLiteral("message('a')\r\n;") + QString(kMaxScriptLineLength, u'x');
    EXPECT_EQ(runner.Run(longLine),
              Ops({"error 6: Строка 2 длиннее 32767 символов; сценарий не выполнен"}));
}

TEST(ScriptLimits, aScriptAtTheLimitsRuns) {
    ScriptRunner runner;
    QStringList lines(kMaxScriptLines, QStringLiteral(";"));
    lines[kMaxScriptLines - 1] = QStringLiteral("message('last')");
    // Saved with its closing line break, the text has one more, empty, line.
    EXPECT_EQ(runner.Run(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")),
              Ops({"message: last"}));
    const QString longest = QStringLiteral("message('") + QString(kMaxScriptLineLength - 11, u'x') +
                            QStringLiteral("')");
    EXPECT_EQ(runner.Run(longest).value(0).size(), 9 + kMaxScriptLineLength - 11);
}

namespace {

// A host whose error box, like a modal one, lets the program start another run and
// change the script while the box is open.
class ReenteringHost : public RecordingHost {
public:
    using RecordingHost::RecordingHost;
    void ShowError(const ScriptFault& fault) override {
        RecordingHost::ShowError(fault);
        engine->SetCode(QStringLiteral("message('new')"));
        nestedRunStarted = engine->run();
    }
    ScriptInterpreter* engine = nullptr;
    bool nestedRunStarted = true;
};

}  // namespace

TEST(ScriptRuns, aRunAskedForDuringAnotherIsRefusedAndHarmsNothing) {
    FixedClock clock;
    ReenteringHost host(ScriptCounters{}, QStringLiteral("/opt"), clock, PointLocale());
    ScriptInterpreter engine(host);
    host.engine = &engine;
    engine.SetCode(Script({"var x", "x = #4", "timer_script(70000)", "message(x)"}));
    EXPECT_TRUE(engine.run());
    EXPECT_FALSE(host.nestedRunStarted);
    ASSERT_EQ(host.Operations().size(), 2);
    EXPECT_EQ(host.Operations()[1], QStringLiteral("message: 4"));
    host.ClearOperations();
    EXPECT_TRUE(engine.run());
    EXPECT_EQ(host.Operations(), Ops({"message: new"}));
}

TEST(ScriptFault, theBoxTitleNamesTheFaultNumber) {
    const ScriptFault fault = MakeFault(ScriptFaultKind::InvalidPropertyValue, 7);
    EXPECT_EQ(fault.number, 380);
    EXPECT_EQ(fault.Title(), QStringLiteral("Ошибка 380"));
    EXPECT_TRUE(fault.description.endsWith(QStringLiteral("(строка 7)")));
}
