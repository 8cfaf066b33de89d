// SPDX-License-Identifier: GPL-3.0-or-later
// The window "История и бюджет": the billing period at a glance, a chart of days or
// months, the period's connections, the budget settings and the export.
#pragma once

#include "core/ProgramFolder.h"
#include "history/HistoryExport.h"
#include "history/HistoryView.h"
#include "history/ui/BarChart.h"

#include <QDialog>
#include <QLocale>

#include <functional>

class BudgetGroup;
class Clock;
class QLabel;
class QProgressBar;
class QRadioButton;
class QSortFilterProxyModel;
class QStandardItem;
class QStandardItemModel;
class QTableView;
class QTimer;

// Not modal. Everything it shows comes from LoadHistoryView; it reloads every minute (the
// history takes a sample a minute) and after the budget is saved.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    // Asks where to export: the path (empty: cancelled) and the chosen filter.
    using SaveFileChooser =
        std::function<QString(QWidget* parent, const QStringList& filters, QString* chosenFilter)>;

    // The running program's report of the period, with what is not stored yet.
    using LivePeriod = std::function<PeriodReport()>;

    HistoryWindow(ProgramFolder folder, const Clock& clock, QLocale locale,
                  QWidget* parent = nullptr, SaveFileChooser chooser = AskForSaveFile,
                  LivePeriod livePeriod = nullptr);

    void Reload();
    // A row the program adds to the budget group (the operator's balance).
    void AddBudgetRow(QWidget* row);
    void Export();
    const HistoryView& View() const { return view_; }

    static QString AskForSaveFile(QWidget* parent, const QStringList& filters,
                                  QString* chosenFilter);

Q_SIGNALS:
    // "Подключение…": the program opens its connection window.
    void connectionWindowRequested();

private:
    void BuildControls();
    void ShowSummary();
    void ShowChart();
    // `before`: the rows shown until now, of which only those that changed are replaced.
    void ShowConnections(const QList<ConnectionRow>& before);
    QList<QStandardItem*> Cells(const ConnectionRow& row) const;

    ProgramFolder folder_;
    const Clock& clock_;
    QLocale locale_;
    SaveFileChooser chooser_;
    LivePeriod livePeriod_;
    HistoryView view_;
    ChartColumns chartShown_;  // what the chart shows, drawn again only when it changes
    QLabel* period_ = nullptr;
    QLabel* moneyLabel_ = nullptr;  // each shown only with its gauge
    QProgressBar* moneyBar_ = nullptr;
    QLabel* trafficLabel_ = nullptr;
    QProgressBar* trafficBar_ = nullptr;
    QLabel* projection_ = nullptr;
    QLabel* daysLeft_ = nullptr;
    QLabel* safePerDay_ = nullptr;
    QLabel* notice_ = nullptr;
    QRadioButton* byDays_ = nullptr;
    QRadioButton* byMonths_ = nullptr;
    QRadioButton* money_ = nullptr;
    QRadioButton* megabytes_ = nullptr;
    BarChart* chart_ = nullptr;  // null when the chart module is missing
    QLabel* figure_ = nullptr;
    QStandardItemModel* connections_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    BudgetGroup* budget_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* refresh_ = nullptr;
};
