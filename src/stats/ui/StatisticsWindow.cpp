// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics viewer: a thin window over StatisticsFolder.
#include "stats/ui/StatisticsWindow.h"

#include "core/ui/WindowLook.h"
#include "stats/ui/MoneyPicture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {

// Captions measured before the controls exist; translated where they are used.
const char* const kChooseConnection = QT_TRANSLATE_NOOP("StatisticsWindow", "Выберите соединение:");
const char* const kChooseDate = QT_TRANSLATE_NOOP("StatisticsWindow", "Выберите дату:");
const char* const kClearAll =
    QT_TRANSLATE_NOOP("StatisticsWindow", "Очистить статистику по всем соединениям");

// A choose-only list, named for screen readers by the label before it.
QComboBox* AddList(QWidget* parent, const char* name, const QRect& geometry,
                   const QString& accessibleName, const QString& description) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->setGeometry(geometry);
    list->setAccessibleName(accessibleName);
    list->setAccessibleDescription(description);
    return list;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

}  // namespace

StatisticsWindow::StatisticsWindow(ProgramFolder folder, QWidget* parent, ErrorBox errorBox)
    : QDialog(parent), statistics_(std::move(folder)), errorBox_(std::move(errorBox)) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(tr("Просмотр статистики"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(tr("Сколько потрачено на соединение за выбранный месяц"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    UseDialogFont(*this);
    FitScale();
    setFixedSize(scale_.Length(4680), scale_.Length(2280));
    BuildControls();
    ConnectRefreshes();
    LoadConnections();
    setWindowIcon(ProgramIcon());
    CentreOnScreen(*this);
}

void StatisticsWindow::ShowVantorilError(QWidget* window, const QString& text) {
    QMessageBox::critical(window, QStringLiteral("Vantoril Error"), text, QMessageBox::Ok);
}

void StatisticsWindow::BuildControls() {
    connectionList_ = AddList(this, "Combo1", scale_.Rect(1920, 90, 2655, 315), tr("Соединение"),
                              tr("Соединение, чья статистика показана"));
    AddLabel(this, "Label1", tr(kChooseConnection), scale_.Rect(120, 120, 1740, 195))
        ->setBuddy(connectionList_);
    dateList_ = AddList(this, "Combo2", scale_.Rect(1920, 480, 2655, 315), tr("Дата"),
                        tr("Месяц, за который показана сумма"));
    AddLabel(this, "Label2", tr(kChooseDate), scale_.Rect(120, 510, 1170, 195))
        ->setBuddy(dateList_);

    auto* frame = new QGroupBox(tr("Данные статистики"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(scale_.Rect(120, 840, 4455, 735));
    amountLabel_ = AddLabel(frame, "Label3", AmountCaption(), scale_.Rect(120, 360, 4215, 255));

    auto* clear = new QPushButton(tr(kClearAll), this);
    clear->setObjectName(QStringLiteral("Command1"));
    clear->setGeometry(scale_.Rect(120, 1680, 3855, 495));
    clear->setAccessibleDescription(
        tr("Удалить статистику всех соединений без вопроса и закрыть окно"));
    // Never the default button: Return in a list must not clear everything. A focused
    // button still takes Return, as every button does.
    clear->setAutoDefault(false);
    clear->installEventFilter(this);
    connect(clear, &QPushButton::clicked, this, &StatisticsWindow::ClearStatistics);

    auto* picture = AddLabel(this, "Image1", {}, scale_.Rect(3960, 1560, 720, 720));
    picture->setPixmap(MoneyPicture(scale_.Length(720)));
}

void StatisticsWindow::FitScale() {
    const QFontMetrics metrics(font());
    scale_.Fit(metrics.horizontalAdvance(tr(kChooseConnection)), 1740);
    scale_.Fit(metrics.horizontalAdvance(tr(kChooseDate)), 1170);
    scale_.Fit(metrics.horizontalAdvance(AmountCaption() + QStringLiteral(" 99999,99")), 4215);
    QPushButton clear(tr(kClearAll));
    clear.setFont(font());
    scale_.Fit(clear.sizeHint().width(), 3855);
}

QString StatisticsWindow::AmountCaption() {
    return tr("Потрачено за выбранную дату:");
}

bool StatisticsWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            button->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// A choice (also of the entry already chosen) and a scroll of the open list both refresh;
// the program's own selections call the refresh itself.
void StatisticsWindow::ConnectRefreshes() {
    connect(connectionList_, &QComboBox::activated, this, &StatisticsWindow::RefreshConnection);
    connect(connectionList_->view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &StatisticsWindow::RefreshConnection);
    connect(dateList_, &QComboBox::activated, this, &StatisticsWindow::RefreshDate);
    connect(dateList_->view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &StatisticsWindow::RefreshDate);
}

void StatisticsWindow::LoadConnections() {
    {
        const QSignalBlocker blocker(connectionList_);
        for (const StatisticConnection& connection : statistics_.Connections())
            connectionList_->addItem(connection.name, connection.fileName);
    }
    if (connectionList_->count() == 0) return;
    connectionList_->setCurrentIndex(0);
    RefreshConnection();
}

void StatisticsWindow::RefreshConnection() {
    if (connectionList_->currentText().isEmpty()) return;
    const StatisticMonths months = statistics_.Months(connectionList_->currentData().toByteArray());
    {
        const QSignalBlocker blocker(dateList_);
        const QSignalBlocker scrollBlocker(dateList_->view()->verticalScrollBar());
        dateList_->clear();
        dateList_->addItems(months.dates);
    }
    // An amount left from another connection would be read as this one's.
    amountLabel_->setText(AmountCaption());
    if (!months.error.isEmpty()) {
        errorBox_(this, months.error);
        return;
    }
    dateList_->setCurrentIndex(0);
    RefreshDate();
}

void StatisticsWindow::RefreshDate() {
    if (connectionList_->currentText().isEmpty() || dateList_->currentText().isEmpty()) return;
    const QString amount =
        statistics_.Amount(connectionList_->currentData().toByteArray(), dateList_->currentText());
    amountLabel_->setText(AmountCaption() + ' ' + amount);
}

void StatisticsWindow::ClearStatistics() {
    const QString error = statistics_.ClearAll();
    if (!error.isEmpty()) errorBox_(this, error);
    close();
}
