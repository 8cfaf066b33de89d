// The script editor window.
#include "windows/ui/Form5.h"

#include "script/clsCheckSyntax.h"
#include "shell/ui/Twips.h"
#include "shell/ui/WindowLook.h"
#include "windows/ScriptFile.h"
#include "windows/ui/LineNumberedEdit.h"
#include "windows/ui/WrappingButton.h"

#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>

namespace {

// The decorative sheet of paper beside the buttons: a page with a folded corner and
// lines of writing.
QPixmap PaperSheet() {
    QPixmap pixmap(48, 52);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.moveTo(10, 6);
    page.lineTo(32, 6);
    page.lineTo(40, 14);
    page.lineTo(40, 48);
    page.lineTo(10, 48);
    page.closeSubpath();
    painter.setPen(QPen(QColor(96, 96, 96), 1));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    painter.setBrush(QColor(220, 220, 220));
    painter.drawPolygon(QPolygonF({QPointF(32, 6), QPointF(32, 14), QPointF(40, 14)}));
    painter.setPen(QPen(QColor(70, 110, 180), 1));
    for (int y = 20; y <= 42; y += 5) painter.drawLine(14, y, y % 2 ? 30 : 36, y);
    return pixmap;
}

QFont ScriptFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(9.75);
    font.setStyleHint(QFont::TypeWriter);  // any fixed-pitch font where it is missing
    font.setFixedPitch(true);
    return font;
}

}  // namespace

Form5::Form5(ProgramFolder folder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      folder_(std::move(folder)),
      text1_(new LineNumberedEdit(this)),
      label1_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Редактор скриптов"));
    setFixedSize(Twips(5520), Twips(4545));
    setWindowIcon(ProgramIcon());  // the settings window's icon
    BuildButtons();

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(TwipsRect(4785, -30, 720, 780));
    image1->setPixmap(PaperSheet());

    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(TwipsRect(120, 720, 5295, 3255));
    text1_->setFont(ScriptFont());
    text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(TwipsRect(120, 4005, 5295, 495));
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1_->setTextFormat(Qt::PlainText);

    QString script;
    QString error;
    if (LoadScript(folder_, &script, &error))
        text1_->setPlainText(script);
    else
        label1_->setText(error);
}

Form5::~Form5() = default;

void Form5::BuildButtons() {
    const struct {
        const char* name;
        QString caption;
        int left;  // twips
        void (Form5::*handler)();
    } buttons[] = {
        {"Command1", QStringLiteral("Сохранить"), 120, &Form5::Save},
        {"Command3", QStringLiteral("Проверка синтаксиса"), 1320, &Form5::Check},
        {"Command2", QStringLiteral("Выход"), 2520, nullptr},
    };
    for (const auto& entry : buttons) {
        auto* button = new WrappingButton(entry.caption, this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setGeometry(TwipsRect(entry.left, 120, 1095, 495));
        button->setAutoDefault(false);  // Enter types a line break in the script
        if (entry.handler)
            connect(button, &QPushButton::clicked, this, entry.handler);
        else
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
    }
}

void Form5::Save() {
    QString error;
    if (!SaveScript(folder_, text1_->LinesText(), &error))
        QMessageBox::warning(this, QStringLiteral("Vantoril"),
                             error + QStringLiteral("\nСкрипт не сохранён."));
}

void Form5::Check() {
    if (!checker_) checker_ = std::make_unique<clsCheckSyntax>();
    // The checker sees the text as it would be saved, so its line numbers are the editor's.
    checker_->SetCode(FileTextFromEditor(text1_->LinesText()));
    const SyntaxReport report = checker_->Check();
    label1_->setText(SyntaxVerdict(report));
    if (report.fault) {
        text1_->GoToLine(report.line);
        text1_->setFocus();
    }
}
