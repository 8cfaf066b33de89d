// The About window: fixed texts and two links opened with the desktop's default handler.
#include "windows/ui/Form6.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>

#include "shell/ui/Twips.h"
#include "shell/ui/WindowLook.h"

namespace {

constexpr char kMailAddress[] = "vantoril@example.org";
constexpr char kWebAddress[] = "https://vantoril.example.org";

const QStringList& ThanksList() {
    static const QStringList kNames = {
        QStringLiteral("Алексей Дроздов"),  QStringLiteral("Марина Ветрова"),
        QStringLiteral("Павел Кручинин"),   QStringLiteral("Ольга Лесницкая"),
        QStringLiteral("Григорий Саватеев"), QStringLiteral("Дарья Орешкина"),
        QStringLiteral("Степан Улитин"),    QStringLiteral("Нина Ястребова"),
        QStringLiteral("Тимур Хасанов")};
    return kNames;
}

}  // namespace

Form6::Form6(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("Form6");
    setWindowTitle(QStringLiteral("О программе"));
    setWindowIcon(ProgramIcon());
    setFixedSize(Twips(4815), Twips(3315));

    auto* logo = new QLabel(this);
    logo->setObjectName("Image1");
    logo->setPixmap(QPixmap(QStringLiteral(":/about-globe.png")));
    logo->setGeometry(TwipsRect(-120, 0, 1920, 1920));

    QLabel* title = AddLabel("Label1", QStringLiteral("Vantoril v 2.01.1"),
                             TwipsRect(1980, 0, 2895, 375));
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPointSizeF(14.25);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    AddLabel("Label2", QStringLiteral("Автор: команда Vantoril"), TwipsRect(2040, 360, 2580, 195));
    Label3_ = AddLink("Label3", QStringLiteral("E-Mail: ") + kMailAddress,
                      TwipsRect(2040, 600, 2580, 195));
    Label4_ = AddLink("Label4", QStringLiteral("Web: vantoril.example.org"),
                      TwipsRect(2040, 840, 2580, 195));
    AddLabel("Label5", QStringLiteral("Спасибы:"), TwipsRect(2040, 1080, 2640, 195))
        ->setAlignment(Qt::AlignCenter);

    auto* thanks = new QTextEdit(this);
    thanks->setObjectName("Text1");
    thanks->setReadOnly(true);
    thanks->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    thanks->setPlainText(ThanksList().join('\n'));
    thanks->selectAll();
    thanks->setAlignment(Qt::AlignCenter);
    thanks->moveCursor(QTextCursor::Start);
    thanks->setGeometry(TwipsRect(2040, 1320, 2655, 1935));

    AddLabel("Label6", QStringLiteral("Тихоречье, 2026"), TwipsRect(840, 3000, 1110, 195));

    auto* ok = new QPushButton(QStringLiteral("ОК"), this);
    ok->setObjectName("Command1");
    ok->setGeometry(TwipsRect(120, 2520, 1815, 375));
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    CentreOnScreen(*this);
}

Form6* Form6::ShowSingle() {
    Form6* about = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* open = qobject_cast<Form6*>(window);
        if (open && open->isVisible()) about = open;
    }
    if (!about) {
        about = new Form6;
        about->setAttribute(Qt::WA_DeleteOnClose);
    }
    about->show();
    about->raise();
    about->activateWindow();
    return about;
}

bool Form6::eventFilter(QObject* watched, QEvent* event) {
    const bool link = watched == Label3_ || watched == Label4_;
    if (link && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // A missing mail client or browser is no concern of this window.
        QDesktopServices::openUrl(watched == Label3_
                                      ? QUrl(QStringLiteral("mailto:") + kMailAddress)
                                      : QUrl(QString::fromLatin1(kWebAddress)));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QLabel* Form6::AddLabel(const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QLabel* Form6::AddLink(const char* name, const QString& text, const QRect& geometry) {
    QLabel* label = AddLabel(name, text, geometry);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}
