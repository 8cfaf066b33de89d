// The statistics viewer: a thin window over StatisticsFolder.
#include "stats/ui/Form7.h"

#include "shell/ui/Twips.h"
#include "shell/ui/WindowLook.h"
#include "stats/ui/MoneyPicture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {

const QString kAmountCaption = QStringLiteral("Потрачено за выбранную дату:");

QComboBox* AddList(QWidget* parent, const char* name, const QRect& geometry) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->setGeometry(geometry);
    return list;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

}  // namespace

Form7::Form7(ProgramFolder folder, QWidget* parent, ErrorBox errorBox)
    : QDialog(parent), statistics_(std::move(folder)), errorBox_(std::move(errorBox)) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Просмотр статистики"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Twips(4680), Twips(2280));
    BuildControls();
    ConnectRefreshes();
    LoadConnections();
    setWindowIcon(ProgramIcon());
    CentreOnScreen(*this);
}

void Form7::ShowVantorilError(QWidget* window, const QString& text) {
    QMessageBox::critical(window, QStringLiteral("Vantoril Error"), text, QMessageBox::Ok);
}

void Form7::BuildControls() {
    AddLabel(this, "Label1", QStringLiteral("Выберите соединение:"),
             TwipsRect(120, 120, 1740, 195));
    Combo1_ = AddList(this, "Combo1", TwipsRect(1920, 90, 2655, 315));
    AddLabel(this, "Label2", QStringLiteral("Выберите дату:"), TwipsRect(120, 510, 1170, 195));
    Combo2_ = AddList(this, "Combo2", TwipsRect(1920, 480, 2655, 315));

    auto* frame = new QGroupBox(QStringLiteral("Данные статистики"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(TwipsRect(120, 840, 4455, 735));
    Label3_ = AddLabel(frame, "Label3", kAmountCaption, TwipsRect(120, 360, 4215, 255));

    auto* clear = new QPushButton(QStringLiteral("Очистить статистику по всем соединениям"), this);
    clear->setObjectName(QStringLiteral("Command1"));
    clear->setGeometry(TwipsRect(120, 1680, 3855, 495));
    clear->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, &Form7::ClearStatistics);

    auto* picture = AddLabel(this, "Image1", {}, TwipsRect(3960, 1560, 720, 720));
    picture->setPixmap(MoneyPicture(Twips(720)));
}

// A choice (also of the entry already chosen) and a scroll of the open list both refresh;
// the program's own selections call the refresh itself.
void Form7::ConnectRefreshes() {
    connect(Combo1_, &QComboBox::activated, this, &Form7::RefreshConnection);
    connect(Combo1_->view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &Form7::RefreshConnection);
    connect(Combo2_, &QComboBox::activated, this, &Form7::RefreshDate);
    connect(Combo2_->view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &Form7::RefreshDate);
}

void Form7::LoadConnections() {
    {
        const QSignalBlocker blocker(Combo1_);
        for (const StatisticConnection& connection : statistics_.Connections())
            Combo1_->addItem(connection.name, connection.fileName);
    }
    if (Combo1_->count() == 0) return;
    Combo1_->setCurrentIndex(0);
    RefreshConnection();
}

void Form7::RefreshConnection() {
    if (Combo1_->currentText().isEmpty()) return;
    const StatisticMonths months = statistics_.Months(Combo1_->currentData().toString());
    {
        const QSignalBlocker blocker(Combo2_);
        const QSignalBlocker scrollBlocker(Combo2_->view()->verticalScrollBar());
        Combo2_->clear();
        Combo2_->addItems(months.dates);
    }
    // An amount left from another connection would be read as this one's.
    Label3_->setText(kAmountCaption);
    if (!months.error.isEmpty()) {
        errorBox_(this, months.error);
        return;
    }
    Combo2_->setCurrentIndex(0);
    RefreshDate();
}

void Form7::RefreshDate() {
    if (Combo1_->currentText().isEmpty() || Combo2_->currentText().isEmpty()) return;
    const QString amount =
        statistics_.Amount(Combo1_->currentData().toString(), Combo2_->currentText());
    Label3_->setText(QStringLiteral("Потрачено за выбранную дату: ") + amount);
}

void Form7::ClearStatistics() {
    const QString error = statistics_.ClearAll();
    if (!error.isEmpty()) errorBox_(this, error);
    close();
}
