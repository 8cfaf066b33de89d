// SPDX-License-Identifier: GPL-3.0-or-later
// The history window on a fixture history: the figures at the top, the chart's bars in
// both views and units, the connection table and its sorting, the budget saved or
// refused, the export equal to vantoril-history's, and keyboard and screen reader reach.
#include "FixedClock.h"
#include "HistoryFixture.h"
#include "Locales.h"
#include "history/ui/HistoryWindow.h"
#include "tools/vantoril-history/HistoryTool.h"

#include <QAbstractButton>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChartView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace history_fixture;

namespace {

class HistoryWindowTest : public ::testing::Test {
protected:
    HistoryWindowTest() { WriteAll(folder); }

    std::unique_ptr<HistoryWindow> Open() {
        auto window = std::make_unique<HistoryWindow>(
            ProgramFolder(folder.Path()), clock, RussianLocale(), nullptr,
            [this](QWidget*, const QStringList& filters, QString* chosenFilter) {
                offeredFilters = filters;
                *chosenFilter = filterToChoose;
                return pathToChoose;
            });
        return window;
    }
    template <typename Widget>
    static Widget* Find(const HistoryWindow& window, const char* name) {
        auto* widget = window.findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static QList<qreal> Values(const HistoryWindow& window, int set) {
        const auto* series = qobject_cast<QStackedBarSeries*>(
            Find<QChartView>(window, "chart")->chart()->series().value(0));
        QList<qreal> values;
        for (int i = 0; series && i < series->barSets()[set]->count(); ++i)
            values.append(series->barSets()[set]->at(i));
        return values;
    }
    // What vantoril-history prints for these arguments, at the same moment.
    QByteArray ToolOutput(QStringList arguments) {
        arguments = QStringList{QStringLiteral("--folder"), folder.Path()} + arguments;
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        EXPECT_EQ(RunHistoryTool(arguments, outStream, errStream, clock, RussianLocale()), 0)
            << err.toStdString();
        return out.toUtf8();
    }

    TempFolder folder;
    FixedClock clock{kNow};
    QString pathToChoose;
    QString filterToChoose;
    QStringList offeredFilters;
};

}  // namespace

TEST_F(HistoryWindowTest, theTopShowsThePeriodAndItsBarsTurnAtTheirLevels) {
    const auto window = Open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("История и бюджет"));
    EXPECT_EQ(Find<QLabel>(*window, "period")->text(),
              QStringLiteral("Расчётный период: 10 марта — 9 апреля 2026 г., день 11 из 31"));
    const QProgressBar* money = Find<QProgressBar>(*window, "moneyBar");
    EXPECT_EQ(money->value(), 90);
    EXPECT_EQ(money->format(), QStringLiteral("90,00 из 100,00 (90 %)"));
    EXPECT_EQ(money->property("level").toString(), QStringLiteral("warning"));
    EXPECT_EQ(Find<QProgressBar>(*window, "trafficBar")->property("level").toString(),
              QStringLiteral("ok"));
    EXPECT_EQ(Find<QLabel>(*window, "safePerDay")->text(),
              QStringLiteral("Можно тратить в день: 0,48"));

    // Over budget: the bar is full and critical; without a cap its bar goes.
    folder.Write(QStringLiteral("inet.conf"), "[Vantoril]\r\ncycle_day=10\r\nbudget=60\r\n");
    window->Reload();
    EXPECT_EQ(money->value(), 100);
    EXPECT_EQ(money->property("level").toString(), QStringLiteral("critical"));
    EXPECT_EQ(Find<QProgressBar>(*window, "trafficBar")->property("level").toString(),
              QStringLiteral("none"));
    EXPECT_EQ(Find<QLabel>(*window, "safePerDay")->text(),
              QStringLiteral("Бюджет периода исчерпан"));
}

TEST_F(HistoryWindowTest, theChartShowsDaysOrMonthsInMoneyOrMegabytes) {
    const auto window = Open();
    window->show();
    // Days: history, today and books are the three sets; the 12th holds 30, today 55.
    QList<qreal> history = Values(*window, 0);
    ASSERT_EQ(history.size(), 31);
    EXPECT_EQ(history[2], 30);
    EXPECT_EQ(history[10], 0);  // today is drawn in its own colour
    EXPECT_EQ(Values(*window, 1)[10], 55);
    Find<QRadioButton>(*window, "byMegabytes")->click();
    EXPECT_EQ(Values(*window, 0)[2], 22);
    EXPECT_EQ(Values(*window, 1)[10], 55);

    Find<QRadioButton>(*window, "byMonths")->click();
    Find<QRadioButton>(*window, "byMoney")->click();
    const QList<qreal> books = Values(*window, 2);
    ASSERT_EQ(books.size(), 12);
    EXPECT_EQ(books[8], 27.5);
    EXPECT_EQ(Values(*window, 0)[9], 5);
    EXPECT_EQ(Values(*window, 1)[11], 90);
    // In MB the books know nothing: no bar rather than a false zero's caption.
    Find<QRadioButton>(*window, "byMegabytes")->click();
    EXPECT_EQ(Values(*window, 2)[8], 0);

    // The keyboard chooses a bar and its exact figure is shown and described.
    QChartView* chart = Find<QChartView>(*window, "chart");
    Find<QRadioButton>(*window, "byMoney")->click();
    chart->setFocus();
    QTest::keyClick(chart, Qt::Key_End);
    EXPECT_EQ(Find<QLabel>(*window, "figure")->text(),
              QStringLiteral("Март 2026: 90,00, текущий месяц"));
    QTest::keyClick(chart, Qt::Key_Left);
    QTest::keyClick(chart, Qt::Key_Left);
    QTest::keyClick(chart, Qt::Key_Left);
    EXPECT_EQ(chart->accessibleDescription(),
              QStringLiteral("Декабрь 2025: 27,50 (по файлам статистики)"));
}

TEST_F(HistoryWindowTest, nothingStandsAloneWithoutLimitsNorUnexplainedInMegabytes) {
    folder.Write(QStringLiteral("inet.conf"), "[Vantoril]\r\ncycle_day=10\r\n");
    const auto window = Open();
    window->show();
    for (const QLabel* label : window->findChildren<QLabel*>())  // no caption without its gauge
        EXPECT_FALSE(label->isVisible() &&
                     (label->text() == u"Деньги:" || label->text() == u"Трафик:"));
    QChartView* chart = Find<QChartView>(*window, "chart");
    Find<QRadioButton>(*window, "byMonths")->click();
    Find<QRadioButton>(*window, "byMegabytes")->click();
    for (QLegendMarker* marker : chart->chart()->legend()->markers())
        EXPECT_FALSE(marker->isVisible() && marker->label() == u"По файлам статистики");
    EXPECT_FALSE(chart->viewport()->accessibleName().isEmpty());
    for (const QToolButton* clear :
         Find<QWidget>(*window, "budgetGroup")->findChildren<QToolButton*>())
        EXPECT_TRUE(clear->accessibleName().startsWith(QStringLiteral("Очистить")));
}

TEST_F(HistoryWindowTest, withoutItsChartModuleTheWindowShowsTheRestAndSaysWhy) {
    const QByteArray module = qgetenv("VANTORIL_CHART_MODULE");
    const auto restore = qScopeGuard([&] { qputenv("VANTORIL_CHART_MODULE", module); });
    folder.Write(QStringLiteral("chart.so"), "not a library");
    const QString qtCore = QLibraryInfo::path(QLibraryInfo::LibrariesPath) + "/libQt6Core.so.6";
    const QString offscreen =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqoffscreen.so";
    const QList<std::pair<QString, QString>> cases{
        {folder.File(QStringLiteral("none.so")), QStringLiteral("нет модуля")},
        {folder.File(QStringLiteral("chart.so")), QStringLiteral("не загружается")},
        {qtCore, QStringLiteral("не загружается")},  // a library without a plugin in it
        // A plugin of another interface (or of another version of ours)
        {offscreen, QStringLiteral("нет интерфейса org.example.Vantoril.BarChartFactory/")},
    };
    for (const auto& [path, why] : cases) {
        qputenv("VANTORIL_CHART_MODULE", path.toUtf8());
        const auto window = Open();
        const QString said = Find<QLabel>(*window, "chart")->text();
        EXPECT_TRUE(said.startsWith(QStringLiteral("Диаграмма недоступна: ")) &&
                    said.contains(why) && said.contains(path))
            << said.toStdString();
        Find<QRadioButton>(*window, "byMonths")->click();
        EXPECT_EQ(Find<QProgressBar>(*window, "moneyBar")->value(), 90);
        EXPECT_EQ(Find<QTableView>(*window, "connections")->model()->rowCount(), 3);
    }
}

TEST_F(HistoryWindowTest, theConnectionTableSortsByItsValues) {
    const auto window = Open();
    QTableView* table = Find<QTableView>(*window, "connections");
    const QAbstractItemModel* model = table->model();
    ASSERT_EQ(model->rowCount(), 3);
    const auto column = [&](int c) {
        QStringList texts;
        for (int r = 0; r < model->rowCount(); ++r)
            texts.append(model->index(r, c).data().toString());
        return texts;
    };
    // Newest first at the start.
    EXPECT_EQ(column(1), QStringList({"20.03.2026 09:00", "15.03.2026 23:50", "12.03.2026 10:00"}));
    EXPECT_EQ(column(6),
              QStringList({QStringLiteral("на связи"), QStringLiteral("прервано"), QString()}));
    // By cost as numbers, not as texts: 5 < 30 < 55.
    table->sortByColumn(5, Qt::AscendingOrder);
    EXPECT_EQ(column(5), QStringList({"5,00", "30,00", "55,00"}));
    table->sortByColumn(3, Qt::DescendingOrder);
    EXPECT_EQ(column(3), QStringList({"50,00", "20,00", "8,00"}));
    table->sortByColumn(2, Qt::AscendingOrder);
    EXPECT_EQ(column(2), QStringList({"0:20:00", "1:00:00", "2:00:00"}));
    // The minute's refresh keeps the order and the row the user is on.
    table->selectRow(1);
    window->Reload();
    EXPECT_EQ(column(2), QStringList({"0:20:00", "1:00:00", "2:00:00"}));
    EXPECT_EQ(table->currentIndex().row(), 1);
    EXPECT_EQ(table->currentIndex().siblingAtColumn(1).data().toString(),
              QStringLiteral("12.03.2026 10:00"));

    // A new sample of the connection still up: its row alone changes, where it stands.
    {
        HistoryStore store(folder.File(QLatin1String(kHistoryFile)));
        ASSERT_TRUE(store.Open());
        const ConnectionRecord running = store.OpenConnections().value(0);
        ASSERT_TRUE(store.AddSample(running.id, Local(2026, 3, 20, 11, 30),
                                    {{60 * kMb, 6 * kMb, 66}, 9000}));
    }
    window->Reload();
    EXPECT_EQ(column(2), QStringList({"0:20:00", "1:00:00", "2:30:00"}));
    EXPECT_EQ(column(5), QStringList({"5,00", "30,00", "66,00"}));
    EXPECT_EQ(table->currentIndex().siblingAtColumn(1).data().toString(),
              QStringLiteral("12.03.2026 10:00"));
}

TEST_F(HistoryWindowTest, theBudgetIsSavedOrRefusedBeforeAnythingIsWritten) {
    const auto window = Open();
    EXPECT_EQ(Find<QSpinBox>(*window, "cycleDay")->value(), 10);
    QLineEdit* budget = Find<QLineEdit>(*window, "budget");
    QLineEdit* cap = Find<QLineEdit>(*window, "capMb");
    EXPECT_EQ(budget->text(), QStringLiteral("100"));
    const QByteArray before = folder.Read(QStringLiteral("inet.conf"));

    budget->setText(QStringLiteral("сто"));
    Find<QPushButton>(*window, "saveBudget")->click();
    EXPECT_EQ(
        Find<QLabel>(*window, "budgetMessage")->text(),
        QStringLiteral("Бюджет должен быть числом, например 500 или 499,90; «сто» — не число."));
    EXPECT_EQ(folder.Read(QStringLiteral("inet.conf")), before);
    cap->setText(QStringLiteral("-1"));
    budget->setText(QStringLiteral("120"));
    Find<QPushButton>(*window, "saveBudget")->click();
    EXPECT_EQ(folder.Read(QStringLiteral("inet.conf")), before);

    cap->setText(QStringLiteral("2048,5"));
    Find<QLineEdit>(*window, "planFee")->setText(QStringLiteral("300 руб"));
    Find<QPushButton>(*window, "saveBudget")->click();
    EXPECT_TRUE(Find<QLabel>(*window, "budgetMessage")
                    ->text()
                    .startsWith(QStringLiteral("Размер абонентской платы должен быть числом")));
    EXPECT_EQ(folder.Read(QStringLiteral("inet.conf")), before);

    Find<QSpinBox>(*window, "cycleDay")->setValue(20);
    Find<QLineEdit>(*window, "planFee")->setText(QStringLiteral("300"));
    Find<QPushButton>(*window, "saveBudget")->click();
    EXPECT_EQ(Find<QLabel>(*window, "budgetMessage")->text(), QStringLiteral("Сохранено."));
    EXPECT_EQ(folder.Read(QStringLiteral("inet.conf")),
              "[Vantoril]\r\nType_tar=0\r\ncycle_day=20\r\nbudget=120\r\ncap_mb=2048.5\r\n"
              "alerts=1\r\nplan_fee=300\r\nincluded_mb=0\r\n");
    EXPECT_TRUE(Find<QLabel>(*window, "bill")->text().contains(QStringLiteral("плата 300,00")));
    // The window follows at once: the period now starts on the 20th.
    EXPECT_EQ(Find<QLabel>(*window, "period")->text(),
              QStringLiteral("Расчётный период: 20 марта — 19 апреля 2026 г., день 1 из 31"));
}

TEST_F(HistoryWindowTest, theExportWritesWhatTheToolPrints) {
    const auto window = Open();
    ASSERT_EQ(offeredFilters.size(), 0);
    pathToChoose = folder.File(QStringLiteral("period"));  // no extension: the filter's is added
    filterToChoose = QStringLiteral("Соединения периода, CSV (*.csv)");
    window->Export();
    ASSERT_EQ(offeredFilters.size(), 4);
    EXPECT_EQ(folder.Read(QStringLiteral("period.csv")),
              ToolOutput({QStringLiteral("connections"), QStringLiteral("--from"),
                          QStringLiteral("2026-03-10"), QStringLiteral("--to"),
                          QStringLiteral("2026-04-09"), QStringLiteral("--format"),
                          QStringLiteral("csv")}));
    EXPECT_TRUE(Find<QLabel>(*window, "status")->text().startsWith(QStringLiteral("Записано в")));

    pathToChoose = folder.File(QStringLiteral("days.json"));
    filterToChoose = QStringLiteral("Дни периода, JSON (*.json)");
    window->Export();
    const QByteArray days = folder.Read(QStringLiteral("days.json"));
    EXPECT_EQ(days, ToolOutput({QStringLiteral("days"), QStringLiteral("--format"),
                                QStringLiteral("json")}));
    EXPECT_TRUE(days.contains("\"cost\": 55"));

    // A place that cannot be written: said in the window, nothing else changes.
    pathToChoose = folder.File(QStringLiteral("missing/folder/x.json"));
    window->Export();
    EXPECT_TRUE(Find<QLabel>(*window, "status")
                    ->text()
                    .startsWith(QStringLiteral("Не удалось записать файл")))
        << Find<QLabel>(*window, "status")->text().toStdString();
    // Cancelled: nothing is written or said.
    pathToChoose.clear();
    Find<QLabel>(*window, "status")->clear();
    window->Export();
    EXPECT_TRUE(Find<QLabel>(*window, "status")->text().isEmpty());
}

TEST_F(HistoryWindowTest, everyControlIsReachedByTabAndNamedForScreenReaders) {
    const auto window = Open();
    window->show();
    QSet<QWidget*> reached;
    for (QWidget* w = window->nextInFocusChain(); w != window.get(); w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) reached.insert(w);
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    int checked = 0;
    for (QWidget* control : controls) {
        const bool interactive =
            qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
            qobject_cast<QSpinBox*>(control) || qobject_cast<QTableView*>(control) ||
            qobject_cast<QChartView*>(control);
        if (!interactive || !control->isVisibleTo(window.get())) continue;
        // The parts of a compound control (a spin box's editor, a field's clear button).
        if (qobject_cast<QSpinBox*>(control->parentWidget()) ||
            qobject_cast<QLineEdit*>(control->parentWidget()))
            continue;
        ++checked;
        EXPECT_TRUE(reached.contains(control))
            << control->metaObject()->className() << " " << control->objectName().toStdString();
        EXPECT_FALSE(control->accessibleName().isEmpty())
            << control->metaObject()->className() << " " << control->objectName().toStdString();
    }
    EXPECT_GE(checked, 12);

    // It opens on the chart, not in a field whose caret would blink all the while.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), Find<QChartView>(*window, "chart"));
}
