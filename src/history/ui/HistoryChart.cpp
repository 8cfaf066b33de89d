// SPDX-License-Identifier: GPL-3.0-or-later
// The bar chart of the history window.
#include "history/ui/HistoryChart.h"

#include <QBarCategoryAxis>
#include <QBarLegendMarker>
#include <QBarSet>
#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

namespace {

QBarSet* AddSet(QStackedBarSeries* series, const QString& name, const QColor& colour) {
    auto* set = new QBarSet(name, series);
    set->setColor(colour);
    set->setBorderColor(colour.darker(120));
    set->setSelectedColor(colour.darker(160));  // the bar chosen with the keyboard
    series->append(set);
    return set;
}

}  // namespace

HistoryChart::HistoryChart(QWidget* parent)
    : QChartView(parent),
      series_(new QStackedBarSeries),
      categories_(new QBarCategoryAxis),
      values_(new QValueAxis) {
    history_ = AddSet(series_, QCoreApplication::translate("HistoryChart", "По истории"),
                      QColor(0x3a, 0x7b, 0xbf));
    current_ = AddSet(series_, QCoreApplication::translate("HistoryChart", "Сейчас"),
                      QColor(0xe0, 0x8a, 0x1e));
    books_ = AddSet(series_, QCoreApplication::translate("HistoryChart", "По файлам статистики"),
                    QColor(0x9e, 0x9e, 0x9e));
    series_->setBarWidth(0.8);
    auto* chart = new QChart;
    chart->addSeries(series_);
    chart->addAxis(categories_, Qt::AlignBottom);
    chart->addAxis(values_, Qt::AlignLeft);
    series_->attachAxis(categories_);
    series_->attachAxis(values_);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setLocalizeNumbers(true);
    // Two-digit days under 31 bars: a smaller font keeps them whole.
    QFont small = categories_->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    categories_->setLabelsFont(small);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QCoreApplication::translate("HistoryChart", "Диаграмма расхода"));
    // Screen readers list the drawing area as a node of its own.
    viewport()->setAccessibleName(
        QCoreApplication::translate("HistoryChart", "Столбики диаграммы"));
    connect(series_, &QStackedBarSeries::hovered, this,
            [this](bool entered, int index, QBarSet*) { OnHovered(entered, index); });
}

void HistoryChart::Show(const ChartColumns& columns) {
    chart()->setLocale(columns.locale);
    QList<qreal> history, current, books;
    QStringList labels;
    captions_.clear();
    double top = 0;
    for (const ChartColumn& column : columns.columns) {
        history.append(column.kind == BarKind::History ? column.value : 0);
        current.append(column.kind == BarKind::Current ? column.value : 0);
        books.append(column.kind == BarKind::Books ? column.value : 0);
        top = std::max(top, column.value);
        labels.append(column.label);
        captions_.append(column.caption);
    }
    history_->remove(0, history_->count());
    current_->remove(0, current_->count());
    books_->remove(0, books_->count());
    history_->append(history);
    current_->append(current);
    books_->append(books);
    current_->setLabel(columns.currentName);
    for (QLegendMarker* marker : chart()->legend()->markers(series_)) {
        auto* barMarker = qobject_cast<QBarLegendMarker*>(marker);
        if (barMarker && barMarker->barset() == books_) marker->setVisible(columns.booksShown);
    }
    categories_->clear();
    categories_->append(labels);
    values_->setRange(0, top > 0 ? top * 1.1 : 1);
    values_->setLabelFormat(top >= 10 ? QStringLiteral("%.0f") : QStringLiteral("%.1f"));
    values_->setTitleText(columns.valueTitle);
    values_->applyNiceNumbers();
    chosen_ = std::min<int>(chosen_, int(captions_.size()) - 1);
    if (chosen_ >= 0) Tell(captions_[chosen_]);
}

void HistoryChart::OnFigure(std::function<void(const QString& caption)> tell) {
    tell_ = std::move(tell);
}

void HistoryChart::Tell(const QString& caption) {
    if (tell_) tell_(caption);
}

void HistoryChart::ChooseBar(int index) {
    if (captions_.isEmpty()) return;
    chosen_ = std::clamp(index, 0, int(captions_.size()) - 1);
    for (QBarSet* set : {history_, current_, books_}) {
        set->deselectAllBars();
        set->selectBar(chosen_);
    }
    setAccessibleDescription(captions_[chosen_]);
    Tell(captions_[chosen_]);
}

void HistoryChart::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            ChooseBar(chosen_ < 0 ? int(captions_.size()) - 1 : chosen_ - 1);
            return;
        case Qt::Key_Right:
            ChooseBar(chosen_ + 1);
            return;
        case Qt::Key_Home:
            ChooseBar(0);
            return;
        case Qt::Key_End:
            ChooseBar(int(captions_.size()) - 1);
            return;
        default:
            QChartView::keyPressEvent(event);
    }
}

void HistoryChart::OnHovered(bool entered, int index) {
    if (!entered || index < 0 || index >= captions_.size()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(QCursor::pos(), captions_[index], this);
    Tell(captions_[index]);
}
