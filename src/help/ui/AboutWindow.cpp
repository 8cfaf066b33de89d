// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: fixed texts and two links opened with the desktop's default handler.
#include "help/ui/AboutWindow.h"

#include "core/TwipsScale.h"
#include "core/ui/WindowLook.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>

namespace {

constexpr char kMailAddress[] = "vantoril@example.org";
constexpr char kWebAddress[] = "https://vantoril.example.org";
const char* const kAuthorLine = QT_TRANSLATE_NOOP("AboutWindow", "Автор: команда Vantoril");
const QString kMailLine = QStringLiteral("E-Mail: ") + kMailAddress;
const QString kWebLine = QStringLiteral("Web: vantoril.example.org");
const QString kTitle = QStringLiteral("Vantoril v 2.01.1");
const char* const kPlaceAndYear = QT_TRANSLATE_NOOP("AboutWindow", "Урал, 2026");
// The three lines beside the logo share one width, up to the window's right margin.
constexpr int kLineWidth = 2580;

const QStringList kThanks = {QStringLiteral("Алексей Дроздов"),   QStringLiteral("Марина Ветрова"),
                             QStringLiteral("Павел Кручинин"),    QStringLiteral("Ольга Лесницкая"),
                             QStringLiteral("Григорий Саватеев"), QStringLiteral("Дарья Орешкина"),
                             QStringLiteral("Степан Улитин"),     QStringLiteral("Нина Ястребова"),
                             QStringLiteral("Тимур Хасанов")};

}  // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(tr("О программе"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(tr("Версия, автор, адреса и благодарности"));
    setWindowIcon(ProgramIcon());
    UseDialogFont(*this);
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPointSizeF(14.25);
    titleFont.setBold(true);
    FitScale(titleFont);
    setFixedSize(scale_.Length(4815), scale_.Length(3315));

    auto* logo = new QLabel(this);
    logo->setObjectName("Image1");
    logo->setPixmap(QPixmap(QStringLiteral(":/about-globe.png")));
    logo->setGeometry(scale_.Rect(-120, 0, 1920, 1920));

    QLabel* title = AddLabel("Label1", kTitle, scale_.Rect(1980, 0, 2895, 375));
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    AddLabel("Label2", tr(kAuthorLine), scale_.Rect(2040, 360, kLineWidth, 195));
    mailLink_ = AddLink("Label3", kMailLine, scale_.Rect(2040, 600, kLineWidth, 195));
    webLink_ = AddLink("Label4", kWebLine, scale_.Rect(2040, 840, kLineWidth, 195));
    AddLabel("Label5", tr("Спасибы:"), scale_.Rect(2040, 1080, 2640, 195))
        ->setAlignment(Qt::AlignCenter);

    AddThanksList(scale_.Rect(2040, 1320, 2655, 1935));

    AddLabel("Label6", tr(kPlaceAndYear), scale_.Rect(840, 3000, 1110, 195));

    okButton_ = new QPushButton(tr("ОК"), this);
    okButton_->setObjectName("Command1");
    okButton_->setGeometry(scale_.Rect(120, 2520, 1815, 375));
    okButton_->setAccessibleDescription(tr("Закрыть окно"));
    okButton_->setAutoDefault(true);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QWidget::close);

    CentreOnScreen(*this);
}

void AboutWindow::FitScale(const QFont& titleFont) {
    const QFontMetrics metrics(font());
    for (const QString& line : {tr(kAuthorLine), kMailLine, kWebLine})
        scale_.Fit(metrics.horizontalAdvance(line), kLineWidth);
    scale_.Fit(metrics.horizontalAdvance(tr(kPlaceAndYear)), 1110);
    scale_.Fit(QFontMetrics(titleFont).horizontalAdvance(kTitle), 2895);
}

AboutWindow* AboutWindow::ShowSingle() {
    AboutWindow* about = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* open = qobject_cast<AboutWindow*>(window);
        if (open && open->isVisible()) about = open;
    }
    if (!about) {
        about = new AboutWindow;
        about->setAttribute(Qt::WA_DeleteOnClose);
    }
    about->show();
    about->raise();
    about->activateWindow();
    return about;
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        okButton_->click();  // as a dialog's default button
    else
        QWidget::keyPressEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* link = qobject_cast<QLabel*>(watched);
    if (watched != mailLink_ && watched != webLink_) return QWidget::eventFilter(watched, event);
    // Each event is taken for what it is only after its type says so.
    const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    const int key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : 0;
    const bool pressed = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    if (clicked || pressed) {
        // A missing mail client or browser is no concern of this window.
        QDesktopServices::openUrl(watched == mailLink_
                                      ? QUrl(QStringLiteral("mailto:") + kMailAddress)
                                      : QUrl(QString::fromLatin1(kWebAddress)));
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        QFont font = link->font();  // underlined while the keyboard is on the link
        font.setUnderline(event->type() == QEvent::FocusIn);
        link->setFont(font);
    }
    return QWidget::eventFilter(watched, event);
}

void AboutWindow::AddThanksList(const QRect& geometry) {
    auto* thanks = new QTextEdit(this);
    thanks->setObjectName("Text1");
    thanks->setReadOnly(true);
    thanks->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    thanks->setAccessibleName(tr("Спасибы"));
    thanks->setAccessibleDescription(tr("Люди, которым программа благодарна"));
    thanks->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    thanks->setPlainText(kThanks.join('\n'));  // one name a line, none after the last
    thanks->selectAll();
    thanks->setAlignment(Qt::AlignCenter);
    thanks->moveCursor(QTextCursor::Start);
    thanks->setGeometry(geometry);
}

QLabel* AboutWindow::AddLabel(const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QLabel* AboutWindow::AddLink(const char* name, const QString& text, const QRect& geometry) {
    QLabel* label = AddLabel(name, text, geometry);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->setFocusPolicy(Qt::StrongFocus);  // Tab reaches it, Return or Space opens it
    label->setAccessibleDescription(tr("Открыть адрес; Enter или пробел"));
    label->installEventFilter(this);
    return label;
}
