// SPDX-License-Identifier: GPL-3.0-or-later
// The indicator window.
#include "indicator/ui/IndicatorWindow.h"

#include "core/FileNotices.h"
#include "core/Numbers.h"
#include "core/ProgramFolder.h"
#include "core/Settings.h"
#include "core/ui/EmptyCaption.h"
#include "core/ui/Twips.h"
#include "indicator/IndicatorText.h"
#include "indicator/SampleTick.h"
#include "indicator/TickGuard.h"
#include "indicator/TrafficCounters.h"
#include "indicator/ui/IndicatorColors.h"
#include "link/LinkSource.h"
#include "link/LocalAddress.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

namespace {
constexpr int kClientWidthTwips = 4095;
// The outer heights counted the title bar and frame, 360 twips; the window system adds
// its own frame to the client area here.
constexpr int kFrameTwips = 360;
constexpr int kMaxInterval = 65535;

// A stored coordinate in twips as pixels.
int SavedPixels(double twips) {
    return RoundToInt32(twips / 15.0);
}

void SetInterval(QTimer& timer, int milliseconds) {
    if (milliseconds < 0 || milliseconds > kMaxInterval) return;
    if (milliseconds == 0) {
        timer.stop();
        return;
    }
    timer.start(milliseconds);
}
}  // namespace

IndicatorWindow::IndicatorWindow(IndicatorServices services, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      services_(std::move(services)),
      composer_(services_.locale) {
    setObjectName(QStringLiteral("Form4"));
    setAttribute(Qt::WA_QuitOnClose, false);
    // The title is the connection's name, empty when its name is; screen readers get what
    // the window is, too.
    new EmptyCaption(this);
    setAccessibleName(tr("Индикатор"));
    setAccessibleDescription(tr("Трафик, скорость, адрес и время соединения"));
    setFixedSize(Twips(kClientWidthTwips), Twips(kIndicatorShortHeightTwips - kFrameTwips));

    labels_ = {AddLabel("Label2", tr("Получено:"), QRect(30, 0, 2055, 210)),
               AddLabel("Label3", tr("Передано:"), QRect(15, 240, 2055, 210)),
               AddLabel("Label4", tr("Всего:"), QRect(15, 480, 2055, 210)),
               AddLabel("Label5", tr("Скорость:"), QRect(2160, 0, 1935, 210)),
               AddLabel("Label6", QStringLiteral("IP:"), QRect(2160, 240, 1935, 210)),
               AddLabel("Label7", tr("Время:"), QRect(2160, 480, 1935, 210)),
               AddLabel("Label8", QString(), QRect(15, 720, 4065, 210))};
    messageLabel_ = labels_.last();
    leftCap_ = AddPicture("Image2", QRect(0, 960, 420, 450), tr("Левый край графика"));
    graphPicture_ = AddPicture("Picture1", QRect(420, 960, 3255, 450),
                               tr("График приёма: доля скорости линии, секунда за секундой"));
    rightCap_ = AddPicture("Image1", QRect(3675, 960, 420, 450), tr("Правый край графика"));

    samplingTimer_ = AddTimer("Timer1", &IndicatorWindow::RunSamplingTick);
    scriptTimer_ = AddTimer("Timer2", &IndicatorWindow::RunScriptTick);
    graphTimer_ = AddTimer("Timer3", &IndicatorWindow::RunGraphTick);
}

QLabel* IndicatorWindow::AddLabel(const char* name, const QString& text, const QRect& twips) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    label->installEventFilter(this);
    return label;
}

QLabel* IndicatorWindow::AddPicture(const char* name, const QRect& twips,
                                    const QString& accessibleName) {
    auto* picture = new QLabel(this);
    picture->setObjectName(QLatin1String(name));
    picture->setAccessibleName(accessibleName);
    picture->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return picture;
}

QTimer* IndicatorWindow::AddTimer(const char* name, void (IndicatorWindow::*tick)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    connect(timer, &QTimer::timeout, this, tick);
    return timer;
}

void IndicatorWindow::Load() {
    // Intervals first, so that a script that sets one at every run keeps it.
    samplingTimer_->start(kRefreshIntervalMs);
    scriptTimer_->start(kScriptIntervalMs);
    graphTimer_->start(kGraphIntervalMs);
    RunSamplingTick();
    RunScriptTick();
    MoveToSavedPosition();
    ApplyColours();
    graph_ = ActivityGraph();
    leftCap_->setPixmap(QPixmap::fromImage(ActivityGraph::EndPiece(true)));
    rightCap_->setPixmap(QPixmap::fromImage(ActivityGraph::EndPiece(false)));
    ShowGraph();
}

void IndicatorWindow::Unload() {
    QString error;
    if (!SaveIndicatorPosition(services_.folder, float(pos().x()) * 15.0f, float(pos().y()) * 15.0f,
                               services_.locale, &error))
        NoticeFileProblem(error);  // the window is going away: told by the application
    samplingTimer_->stop();
    scriptTimer_->stop();
    graphTimer_->stop();
}

void IndicatorWindow::MoveToSavedPosition() {
    const Settings saved = LoadSettings(services_.folder);
    move(SavedPixels(saved.i_left), SavedPixels(saved.i_top));
}

void IndicatorWindow::ApplyColours() {
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, kIndicatorBackground);
    setPalette(windowPalette);
    setAutoFillBackground(true);
    for (QLabel* label : labels_) {
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::Window, kIndicatorBackground);
        labelPalette.setColor(QPalette::WindowText,
                              label == messageLabel_ ? kMessageText : Qt::black);
        label->setPalette(labelPalette);
    }
}

void IndicatorWindow::ShowGraph() {
    graphPicture_->setPixmap(QPixmap::fromImage(graph_.Chart()));
}

void IndicatorWindow::SetMessageText(const QString& text) {
    messageLabel_->setText(text);
}

void IndicatorWindow::SetRefreshInterval(int milliseconds) {
    SetInterval(*samplingTimer_, milliseconds);
}

void IndicatorWindow::SetScriptInterval(int milliseconds) {
    SetInterval(*scriptTimer_, milliseconds);
}

void IndicatorWindow::SetStayOnTop(bool onTop) {
    const bool wasVisible = isVisible();
    const QPoint position = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);  // hides the window
    move(position);
    if (wasVisible) show();
}

void IndicatorWindow::RunSamplingTick() {
    {
        const TickGuard guard(sampling_);
        if (guard.Entered()) {
            services_.sampling.Run(*this);
            Q_EMIT sampled();
        }
    }
    TellIfIdle();
}

void IndicatorWindow::RunScriptTick() {
    {
        const TickGuard guard(scripting_);
        if (guard.Entered()) services_.runScript();
    }
    TellIfIdle();
}

void IndicatorWindow::RunGraphTick() {
    {
        const TickGuard guard(graphing_);
        if (guard.Entered() && graph_.Tick(services_.link, services_.counters)) ShowGraph();
    }
    TellIfIdle();
}

bool IndicatorWindow::InTick() const {
    return sampling_ || scripting_ || graphing_;
}

void IndicatorWindow::TellIfIdle() {
    if (!InTick()) Q_EMIT idle();
}

void IndicatorWindow::SetWindowOpacity(int opacity) {
    if (opacity == opacity_) return;
    opacity_ = opacity;
    setWindowOpacity(opacity / 255.0);
}

void IndicatorWindow::RefreshIndicator() {
    // The name also names the statistics file, so it stays Russian there; only the caption is
    // translated.
    const QString name = services_.link.GetLinkName();
    const QString caption = name == kNoLinkName ? tr("Не найдено!") : name;
    setWindowTitle(caption);
    // Screen readers read the caption too; a connection without a name still names it. Told
    // only when it changed: each change is an event sent to every screen reader.
    const QString accessible = caption.isEmpty() ? tr("Индикатор") : caption;
    if (accessibleName() != accessible) setAccessibleName(accessible);
    const IndicatorLines& lines = composer_.Compose(services_.counters, services_.settings.Type_tar,
                                                    services_.address.GetLocalIP());
    const QString* texts[] = {&lines.received, &lines.sent,    &lines.total,
                              &lines.speed,    &lines.address, &lines.online};
    for (int i = 0; i < 6; ++i) labels_.at(i)->setText(*texts[i]);
    AnnounceAddressFailure();
}

// A failed address lookup is told once per failure period, in English like the system's
// own sockets messages; the sampling tick waits while the box is open.
void IndicatorWindow::AnnounceAddressFailure() {
    if (const std::optional<QString> failure = services_.address.TakeFailureMessage())
        QMessageBox::critical(nullptr, QStringLiteral("Vantoril"), *failure);
}

void IndicatorWindow::SetWindowHeightTwips(int twips) {
    const int height = Twips(twips - kFrameTwips);
    if (height != this->height()) setFixedHeight(height);
}

bool IndicatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton)
            Q_EMIT menuRequested(press->globalPosition().toPoint());
        return true;  // a label press does nothing else
    }
    return QWidget::eventFilter(watched, event);
}

void IndicatorWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT closeRequested();
}
