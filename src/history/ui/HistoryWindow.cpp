// SPDX-License-Identifier: GPL-3.0-or-later
// The history window: thin over LoadHistoryView, BudgetSettings and the export.
#include "history/ui/HistoryWindow.h"

#include "budget/ui/BudgetGroup.h"
#include "core/Clock.h"
#include "core/Settings.h"
#include "core/ui/WindowLook.h"
#include "history/ui/BarChart.h"
#include "history/ui/ChartModule.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kRefreshMs = 60 * 1000;
constexpr int kSortRole = Qt::UserRole + 1;

struct ExportChoice {
    QString filter;
    ExportKind kind;
    ReportFormat format;
    QString extension;
};

const QList<ExportChoice>& ExportChoices() {
    static const QList<ExportChoice> choices{
        {QCoreApplication::translate("HistoryWindow", "Соединения периода, CSV (*.csv)"),
         ExportKind::Connections, ReportFormat::Csv, QStringLiteral("csv")},
        {QCoreApplication::translate("HistoryWindow", "Соединения периода, JSON (*.json)"),
         ExportKind::Connections, ReportFormat::Json, QStringLiteral("json")},
        {QCoreApplication::translate("HistoryWindow", "Дни периода, CSV (*.csv)"), ExportKind::Days,
         ReportFormat::Csv, QStringLiteral("csv")},
        {QCoreApplication::translate("HistoryWindow", "Дни периода, JSON (*.json)"),
         ExportKind::Days, ReportFormat::Json, QStringLiteral("json")},
    };
    return choices;
}

const char* LevelName(LimitLevel level) {
    switch (level) {
        case LimitLevel::None:
            return "none";
        case LimitLevel::Ok:
            return "ok";
        case LimitLevel::Warning:
            return "warning";
        case LimitLevel::Exceeded:
            return "critical";
    }
    return "none";
}

QColor LevelColour(LimitLevel level) {
    switch (level) {
        case LimitLevel::Warning:
            return QColor(0xf0, 0xa2, 0x02);
        case LimitLevel::Exceeded:
            return QColor(0xc6, 0x28, 0x28);
        default:
            return QColor(0x2e, 0x7d, 0x32);
    }
}

void ShowGauge(QProgressBar* bar, const LimitGauge& gauge) {
    bar->setVisible(gauge.level != LimitLevel::None);
    bar->setValue(std::min(gauge.percent, 100));
    bar->setFormat(gauge.text);
    bar->setProperty("level", QLatin1String(LevelName(gauge.level)));
    bar->setAccessibleDescription(gauge.text);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Highlight, LevelColour(gauge.level));
    bar->setPalette(palette);
}

QProgressBar* AddGauge(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setAccessibleName(accessibleName);
    bar->setRange(0, 100);
    bar->setTextVisible(true);
    bar->setAlignment(Qt::AlignCenter);
    return bar;
}

QLabel* AddText(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

QRadioButton* AddChoice(const char* name, const QString& caption, QButtonGroup* group,
                        QLayout* layout) {
    auto* button = new QRadioButton(caption);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QString(caption).remove(u'&'));
    button->setAccessibleDescription(
        QCoreApplication::translate("HistoryWindow", "Что показывает диаграмма"));
    group->addButton(button);
    layout->addWidget(button);
    return button;
}

QStandardItem* Cell(const QString& text, const QVariant& sortValue, bool number) {
    auto* item = new QStandardItem(text);
    item->setData(sortValue, kSortRole);
    item->setEditable(false);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

bool SameColumns(const ChartColumns& a, const ChartColumns& b) {
    const auto same = [](const ChartColumn& x, const ChartColumn& y) {
        return x.label == y.label && x.caption == y.caption && x.value == y.value &&
               x.kind == y.kind;
    };
    return a.currentName == b.currentName && a.booksShown == b.booksShown &&
           a.valueTitle == b.valueTitle && a.locale == b.locale &&
           std::equal(a.columns.begin(), a.columns.end(), b.columns.begin(), b.columns.end(), same);
}

bool SameRow(const ConnectionRow& a, const ConnectionRow& b) {
    return a.name == b.name && a.start == b.start && a.startText == b.startText &&
           a.seconds == b.seconds && a.durationText == b.durationText &&
           a.receivedMb == b.receivedMb && a.sentMb == b.sentMb && a.cost == b.cost &&
           a.state == b.state;
}

// A button of the window's bottom row: named for tests and screen readers, never the default.
QPushButton* AddBottomButton(const QString& text, const char* name, const QString& accessibleName,
                             const QString& description, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessibleName);
    button->setAccessibleDescription(description);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

HistoryWindow::HistoryWindow(ProgramFolder folder, const Clock& clock, QLocale locale,
                             QWidget* parent, SaveFileChooser chooser, LivePeriod livePeriod)
    : QDialog(parent),
      folder_(std::move(folder)),
      clock_(clock),
      locale_(std::move(locale)),
      chooser_(std::move(chooser)),
      livePeriod_(std::move(livePeriod)) {
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(tr("История и бюджет"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(
        tr("Расход за расчётный период по дням и месяцам, соединения периода и бюджет"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ProgramIcon());
    BuildControls();
    budget_->ShowLimits(LimitsOf(LoadSettings(folder_)));
    Reload();
    // The whole window where the screen allows it, also at a large scale on a small screen.
    QSize size(1180, 740);  // the budget group beside a chart of 31 whole day labels
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
    CentreOnScreen(*this);
    refresh_ = new QTimer(this);
    refresh_->setInterval(kRefreshMs);
    connect(refresh_, &QTimer::timeout, this, &HistoryWindow::Reload);
    refresh_->start();
}

void HistoryWindow::BuildControls() {
    period_ = AddText("period", this);
    QFont bold = period_->font();
    bold.setBold(true);
    period_->setFont(bold);
    moneyBar_ = AddGauge("moneyBar", tr("Потрачено из бюджета"), this);
    trafficBar_ = AddGauge("trafficBar", tr("Трафик из лимита"), this);
    projection_ = AddText("projection", this);
    daysLeft_ = AddText("daysLeft", this);
    daysLeft_->setWordWrap(false);
    safePerDay_ = AddText("safePerDay", this);
    safePerDay_->setWordWrap(false);
    notice_ = AddText("notice", this);

    auto* gauges = new QGridLayout;
    moneyLabel_ = new QLabel(tr("Деньги:"), this);
    gauges->addWidget(moneyLabel_, 0, 0);
    gauges->addWidget(moneyBar_, 0, 1);
    trafficLabel_ = new QLabel(tr("Трафик:"), this);
    gauges->addWidget(trafficLabel_, 1, 0);
    gauges->addWidget(trafficBar_, 1, 1);
    gauges->setColumnStretch(1, 1);
    auto* figures = new QHBoxLayout;
    figures->addWidget(daysLeft_);
    figures->addSpacing(24);
    figures->addWidget(safePerDay_);
    figures->addStretch();

    // Made before the chart and the table: the Tab order follows the layout, top to bottom.
    budget_ = new BudgetGroup(folder_, locale_, this);
    connect(budget_, &BudgetGroup::saved, this, &HistoryWindow::Reload);

    auto* switches = new QHBoxLayout;
    auto* spans = new QButtonGroup(this);
    byDays_ = AddChoice("byDays", tr("По д&ням периода"), spans, switches);
    byMonths_ = AddChoice("byMonths", tr("По &месяцам за год"), spans, switches);
    switches->addSpacing(24);
    auto* units = new QButtonGroup(this);
    money_ = AddChoice("byMoney", tr("Д&еньги"), units, switches);
    megabytes_ = AddChoice("byMegabytes", tr("Трафи&к, МБ"), units, switches);
    switches->addStretch();
    byDays_->setChecked(true);
    money_->setChecked(true);
    figure_ = AddText("figure", this);
    QString missing;
    chart_ = NewBarChartFromModule(this, &missing);
    QWidget* chartArea = nullptr;
    if (chart_) {
        chartArea = chart_->Widget();
        chartArea->setObjectName(QStringLiteral("chart"));
        figure_->setText(tr("Наведите указатель на столбик или выберите его стрелками."));
        chart_->OnFigure([figure = figure_](const QString& caption) { figure->setText(caption); });
    } else {
        // Without the module the window still shows everything but the bars, and says why.
        QLabel* why = AddText("chart", this);
        why->setText(missing);
        chartArea = why;
    }
    chartArea->setMinimumHeight(220);
    for (QRadioButton* button : {byDays_, byMonths_, money_, megabytes_})
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on) ShowChart();
        });

    connections_ = new QStandardItemModel(this);
    connections_->setHorizontalHeaderLabels({tr("Соединение"), tr("Начало"), tr("Длительность"),
                                             tr("Принято, МБ"), tr("Отправлено, МБ"),
                                             tr("Стоимость"), tr("Примечание")});
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(connections_);
    sorted_->setSortRole(kSortRole);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("connections"));
    table_->setAccessibleName(tr("Соединения периода"));
    table_->setAccessibleDescription(
        tr("Имя, начало, длительность, трафик и стоимость каждого соединения"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(1, Qt::DescendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->setTabKeyNavigation(false);
    auto* tableTitle = new QLabel(tr("Соединения пер&иода:"), this);
    tableTitle->setBuddy(table_);

    auto* exportButton =
        AddBottomButton(tr("&Экспорт…"), "export", tr("Экспорт"),
                        tr("Записать соединения или дни периода в файл CSV или JSON"), this);
    exportButton->setToolTip(exportButton->accessibleDescription());
    connect(exportButton, &QPushButton::clicked, this, &HistoryWindow::Export);
    auto* connectionButton =
        AddBottomButton(tr("Подклю&чение…"), "connection", tr("Подключение"),
                        tr("Какое подключение учитывать, и знак валюты"), this);
    connectionButton->setToolTip(connectionButton->accessibleDescription());
    connect(connectionButton, &QPushButton::clicked, this,
            &HistoryWindow::connectionWindowRequested);
    auto* closeButton =
        AddBottomButton(tr("&Закрыть"), "close", tr("Закрыть"), tr("Закрыть окно истории"), this);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    status_ = AddText("status", this);
    status_->setAccessibleName(tr("Сообщение"));

    auto* summary = new QVBoxLayout;
    summary->addWidget(period_);
    summary->addLayout(gauges);
    summary->addWidget(projection_);
    summary->addLayout(figures);
    summary->addWidget(notice_);
    // The budget group stands beside the chart, which stretches to its height: beside the
    // few lines of the summary it left an empty band above the switches.
    auto* chartColumn = new QVBoxLayout;
    chartColumn->addLayout(switches);
    chartColumn->addWidget(chartArea, 1);
    chartColumn->addWidget(figure_);
    auto* middle = new QHBoxLayout;
    middle->addLayout(chartColumn, 1);
    middle->addWidget(budget_, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(connectionButton);
    buttons->addWidget(exportButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(summary);
    layout->addLayout(middle, 3);
    layout->addWidget(tableTitle);
    layout->addWidget(table_, 2);
    layout->addLayout(buttons);
    // The window opens on the chart, read with the arrows, or on the span's switch: a text
    // field in focus would blink its caret for as long as the window stays open.
    (chart_ ? chartArea : static_cast<QWidget*>(byDays_))->setFocus();
}

void HistoryWindow::AddBudgetRow(QWidget* row) {
    budget_->AddRow(row);
}

void HistoryWindow::Reload() {
    const HistoryView before = std::exchange(
        view_,
        LoadHistoryView(folder_, clock_.Now(), locale_,
                        livePeriod_ ? std::optional<PeriodReport>(livePeriod_()) : std::nullopt));
    ShowSummary();
    ShowChart();
    ShowConnections(before.connections);
}

void HistoryWindow::ShowSummary() {
    period_->setText(view_.periodText);
    budget_->ShowBill(view_.billText);
    ShowGauge(moneyBar_, view_.money);
    ShowGauge(trafficBar_, view_.traffic);
    moneyLabel_->setVisible(moneyBar_->isVisibleTo(this));
    trafficLabel_->setVisible(trafficBar_->isVisibleTo(this));
    const bool noLimits =
        view_.money.level == LimitLevel::None && view_.traffic.level == LimitLevel::None;
    QString figures = noLimits ? tr("Потрачено: %1; трафик: %2. Бюджет и лимит "
                                    "можно задать в группе «Бюджет».")
                                     .arg(view_.money.text, view_.traffic.text)
                               : QString();
    projection_->setText(figures.isEmpty() ? view_.projectionText
                                           : figures + u'\n' + view_.projectionText);
    daysLeft_->setText(view_.daysLeftText);
    safePerDay_->setText(view_.safePerDayText);
    safePerDay_->setVisible(!view_.safePerDayText.isEmpty());
    notice_->setText(view_.notice);
    notice_->setVisible(!view_.notice.isEmpty());
}

void HistoryWindow::ShowChart() {
    if (chart_ == nullptr) return;
    const bool days = byDays_->isChecked();
    const ChartSpan span = days ? ChartSpan::Days : ChartSpan::Months;
    const ChartUnit unit = money_->isChecked() ? ChartUnit::Money : ChartUnit::Megabytes;
    ChartColumns shown;
    for (const ChartBar& bar : days ? view_.days : view_.months) {
        // The books know no traffic: no bar rather than a false zero.
        const bool known = !(bar.fromBooks && unit == ChartUnit::Megabytes);
        shown.columns.append({bar.label, BarCaption(bar, span, unit, view_.currency, locale_),
                              known ? bar.Value(unit) : 0,
                              bar.fromBooks ? BarKind::Books
                              : bar.current ? BarKind::Current
                                            : BarKind::History});
    }
    shown.currentName = days ? tr("Сегодня") : tr("Текущий месяц");
    // Only months before the history come from the books, which know no megabytes.
    shown.booksShown = !days && unit == ChartUnit::Money;
    shown.valueTitle = unit == ChartUnit::Megabytes ? tr("МБ")
                       : view_.currency.isEmpty()   ? tr("Деньги")
                                                    : view_.currency;
    shown.locale = locale_;
    // A minute's reload mostly finds the bars as they were: they are not laid out again.
    if (SameColumns(shown, chartShown_)) return;
    chart_->Show(shown);
    chartShown_ = std::move(shown);
}

QList<QStandardItem*> HistoryWindow::Cells(const ConnectionRow& row) const {
    const auto fixed = [this](double value) { return locale_.toString(value, 'f', 2); };
    return {Cell(row.name, row.name.toLower(), false),
            Cell(row.startText, row.start, false),
            Cell(row.durationText, qint64(row.seconds), true),
            Cell(fixed(row.receivedMb), row.receivedMb, true),
            Cell(fixed(row.sentMb), row.sentMb, true),
            Cell(MoneyText(row.cost, view_.currency, locale_), row.cost, true),
            Cell(row.state, row.state, false)};
}

void HistoryWindow::ShowConnections(const QList<ConnectionRow>& before) {
    const QList<ConnectionRow>& rows = view_.connections;
    if (connections_->rowCount() == before.size() && before.size() == rows.size()) {
        // The minute's refresh changes the running connection's row, seldom another: the
        // rows that changed are replaced where they are, the user's row and scroll kept.
        for (int r = 0; r < rows.size(); ++r) {
            if (SameRow(before[r], rows[r])) continue;
            const QList<QStandardItem*> cells = Cells(rows[r]);
            for (int c = 0; c < cells.size(); ++c) connections_->setItem(r, c, cells[c]);
        }
        return;
    }
    // Rows came or went: the list is made anew, keeping the row the user is on and where
    // the list was scrolled.
    const QVariant chosenStart = table_->currentIndex().siblingAtColumn(1).data(kSortRole);
    const int scrolled = table_->verticalScrollBar()->value();
    connections_->removeRows(0, connections_->rowCount());
    for (const ConnectionRow& row : rows) connections_->appendRow(Cells(row));
    if (chosenStart.isValid()) {
        const QModelIndexList found =
            sorted_->match(sorted_->index(0, 1), kSortRole, chosenStart, 1, Qt::MatchExactly);
        if (!found.isEmpty())
            table_->selectionModel()->setCurrentIndex(
                found.first(), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    table_->verticalScrollBar()->setValue(scrolled);
}

void HistoryWindow::Export() {
    QStringList filters;
    for (const ExportChoice& choice : ExportChoices()) filters.append(choice.filter);
    QString chosenFilter = filters.first();
    QString path = chooser_(this, filters, &chosenFilter);
    if (path.isEmpty()) return;
    const qsizetype index = std::max<qsizetype>(filters.indexOf(chosenFilter), 0);
    const ExportChoice& choice = ExportChoices()[index];
    if (QFileInfo(path).suffix().isEmpty()) path += u'.' + choice.extension;
    QString error;
    if (ExportPeriod(folder_, clock_.Now(), choice.kind, choice.format, path, &error)) {
        status_->setStyleSheet(QString());
        status_->setText(tr("Записано в «%1».").arg(QDir::toNativeSeparators(path)));
    } else {
        status_->setStyleSheet(QStringLiteral("color: #b71c1c;"));
        status_->setText(error);
    }
}

QString HistoryWindow::AskForSaveFile(QWidget* parent, const QStringList& filters,
                                      QString* chosenFilter) {
    return QFileDialog::getSaveFileName(parent, tr("Экспорт истории"),
                                        QDir::homePath() + QStringLiteral("/vantoril-history"),
                                        filters.join(QStringLiteral(";;")), chosenFilter);
}
