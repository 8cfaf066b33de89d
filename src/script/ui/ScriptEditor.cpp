// SPDX-License-Identifier: GPL-3.0-or-later
// The script editor window.
#include "script/ui/ScriptEditor.h"

#include "core/ui/WindowLook.h"
#include "script/ScriptFile.h"
#include "script/ScriptHelp.h"
#include "script/ScriptLint.h"
#include "script/SyntaxChecker.h"
#include "script/SyntaxReport.h"
#include "script/ui/LineNumberedEdit.h"
#include "script/ui/WrappingButton.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QShortcut>
#include <QStyleOptionButton>
#include <QUrl>

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

constexpr int kBaseHeight = 4545;      // twips: the window without warnings
constexpr int kWarningsHeight = 1260;  // twips: the list of warnings under the report

// Button captions measured before the buttons exist; translated where they are used.
const char* const kSave = QT_TRANSLATE_NOOP("ScriptEditor", "Сохранить");
const char* const kCheckSyntax = QT_TRANSLATE_NOOP("ScriptEditor", "Проверка синтаксиса");
const char* const kExit = QT_TRANSLATE_NOOP("ScriptEditor", "Выход");

QFont ScriptFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(9.75);
    font.setStyleHint(QFont::TypeWriter);  // any fixed-pitch font where it is missing
    font.setFixedPitch(true);
    return font;
}

}  // namespace

ScriptEditor::ScriptEditor(ProgramFolder folder, QWidget* parent, QLocale locale)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      folder_(std::move(folder)),
      scriptField_(new LineNumberedEdit(this)),
      reportLabel_(new QLabel(this)),
      warnings_(new QListWidget(this)),
      locale_(std::move(locale)) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(tr("Редактор скриптов"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(tr("Скрипт оповещений и проверка его синтаксиса"));
    FitScale();
    setFixedSize(scale_.Length(5520), scale_.Length(kBaseHeight));
    setWindowIcon(ProgramIcon());  // the settings window's icon
    BuildButtons();

    auto* paperPicture = new QLabel(this);
    paperPicture->setObjectName(QStringLiteral("Image1"));
    paperPicture->setGeometry(scale_.Rect(4785, -30, 720, 780));
    paperPicture->setPixmap(PaperSheet());

    scriptField_->setObjectName(QStringLiteral("Text1"));
    scriptField_->setGeometry(scale_.Rect(120, 720, 5295, 3255));
    scriptField_->setFont(ScriptFont());
    scriptField_->setLineWrapMode(QPlainTextEdit::NoWrap);
    scriptField_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scriptField_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scriptField_->setAccessibleName(tr("Текст скрипта"));
    scriptField_->setAccessibleDescription(
        tr("Скрипт, который программа выполняет каждые несколько секунд; Ctrl+Tab — к кнопкам"));

    reportLabel_->setObjectName(QStringLiteral("Label1"));
    reportLabel_->setGeometry(scale_.Rect(120, 4005, 5295, 495));
    reportLabel_->setWordWrap(true);
    reportLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    reportLabel_->setTextFormat(Qt::PlainText);

    warnings_->setObjectName(QStringLiteral("LintList"));
    warnings_->setGeometry(scale_.Rect(120, kBaseHeight, 5295, kWarningsHeight));
    warnings_->setWordWrap(true);
    warnings_->setAlternatingRowColors(true);  // one warning from the next
    warnings_->setAccessibleName(tr("Предупреждения"));
    warnings_->setAccessibleDescription(tr("Сомнительные места скрипта; Enter — к строке"));
    warnings_->hide();
    connect(warnings_, &QListWidget::itemActivated, this, &ScriptEditor::GoToWarning);
    connect(warnings_, &QListWidget::itemClicked, this, &ScriptEditor::GoToWarning);

    auto* help = new QLabel(
        QStringLiteral("<a href=\"help\">") + tr("Справка") + QStringLiteral("</a>"), this);
    help->setObjectName(QStringLiteral("HelpLink"));
    help->setGeometry(scale_.Rect(3720, 120, 960, 495));
    help->setToolTip(tr("Справка по языку сценариев (F1)"));
    help->setAccessibleDescription(help->toolTip());
    help->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(help, &QLabel::linkActivated, this, &ScriptEditor::OpenHelp);
    auto* helpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(helpKey, &QShortcut::activated, this, &ScriptEditor::OpenHelp);

    QString script;
    QString error;
    if (LoadScript(folder_, &script, &error))
        scriptField_->setPlainText(script);
    else
        reportLabel_->setText(error);
}

ScriptEditor::~ScriptEditor() = default;

void ScriptEditor::FitScale() {
    // A caption wraps between its words, so its longest word must fit the 1095-twip button
    // (one pixel more for rounding the button's width).
    WrappingButton probe(tr(kCheckSyntax));
    probe.setFont(font());
    probe.resize(100, 33);
    QStyleOptionButton option;
    option.initFrom(&probe);
    const int frame =
        100 - probe.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &probe).width();
    for (const char* caption : {kSave, kCheckSyntax, kExit})
        for (const QString& word : tr(caption).split(' '))
            scale_.Fit(probe.fontMetrics().boundingRect(word).width() + frame + 1, 1095);
}

void ScriptEditor::BuildButtons() {
    const struct {
        const char* name;
        QString caption;
        QString description;
        int left;  // twips
        void (ScriptEditor::*handler)();
    } buttons[] = {
        {"Command1", tr(kSave), tr("Записать скрипт в файл; окно остаётся открытым"), 120,
         &ScriptEditor::Save},
        {"Command3", tr(kCheckSyntax), tr("Проверить скрипт, не сохраняя его"), 1320,
         &ScriptEditor::Check},
        {"Command2", tr(kExit), tr("Закрыть окно, не сохраняя"), 2520, nullptr},
    };
    for (const auto& entry : buttons) {
        auto* button = new WrappingButton(entry.caption, this);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setGeometry(scale_.Rect(entry.left, 120, 1095, 495));
        button->setAccessibleDescription(entry.description);
        // Return presses a focused button; in the script field it types a line break.
        button->setAutoDefault(true);
        button->setDefault(entry.handler == &ScriptEditor::Save);
        if (entry.handler)
            connect(button, &QPushButton::clicked, this, entry.handler);
        else
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
    }
}

void ScriptEditor::Save() {
    QString error;
    if (!SaveScript(folder_, scriptField_->LinesText(), &error))
        QMessageBox::warning(this, QStringLiteral("Vantoril"),
                             error + '\n' + tr("Скрипт не сохранён."));
}

void ScriptEditor::Check() {
    if (!checker_) checker_ = std::make_unique<SyntaxChecker>();
    // The checker sees the text as it would be saved, so its line numbers are the editor's.
    const QString code = FileTextFromEditor(scriptField_->LinesText());
    checker_->SetCode(code);
    const SyntaxReport report = checker_->Check();
    reportLabel_->setText(SyntaxVerdict(report));
    ShowWarnings(code, report);
    if (report.fault) {
        scriptField_->GoToLine(report.line);
        scriptField_->setFocus();
    }
}

void ScriptEditor::ShowWarnings(const QString& code, const SyntaxReport& report) {
    warnings_->clear();
    // The fault that stops the script comes first, marked, above what it merely may do wrong.
    if (report.fault) {
        auto* item = new QListWidgetItem(SyntaxReportText(report), warnings_);
        item->setData(Qt::UserRole, report.line);
        QFont bold = warnings_->font();
        bold.setBold(true);
        item->setFont(bold);
        item->setForeground(QColor(0xb7, 0x1c, 0x1c));
    }
    for (const LintWarning& warning : LintScript(code, locale_)) {
        auto* item =
            new QListWidgetItem(tr("Строка %1: %2").arg(warning.line).arg(warning.text), warnings_);
        item->setData(Qt::UserRole, warning.line);
    }
    const bool any = warnings_->count() > 0;
    warnings_->setVisible(any);
    const int listHeight = any ? WarningsHeight() : 0;
    warnings_->resize(warnings_->width(), listHeight);
    setFixedSize(scale_.Length(5520),
                 scale_.Length(kBaseHeight) + (any ? listHeight + scale_.Length(120) : 0));
}

int ScriptEditor::WarningsHeight() const {
    // Every entry whole, wrapped as the list wraps it, up to half the screen; the rest scrolls.
    const int frame = 2 * warnings_->frameWidth();
    const int textWidth = warnings_->width() - frame -
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent) -
                          4 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    int height = frame;
    for (int i = 0; i < warnings_->count(); ++i) {
        const QListWidgetItem* item = warnings_->item(i);
        const QFontMetrics metrics(item->font());
        height +=
            metrics.boundingRect(QRect(0, 0, textWidth, 1 << 20), Qt::TextWordWrap, item->text())
                .height() +
            2 * (style()->pixelMetric(QStyle::PM_FocusFrameVMargin) + 1);
    }
    const QScreen* screen = this->screen();
    const int most = screen ? screen->availableGeometry().height() / 2 : 400;
    return std::clamp(height, scale_.Length(kWarningsHeight),
                      std::max(most, scale_.Length(kWarningsHeight)));
}

void ScriptEditor::GoToWarning(QListWidgetItem* item) {
    scriptField_->GoToLine(item->data(Qt::UserRole).toInt());
    scriptField_->setFocus();
}

void ScriptEditor::OpenHelp() {
    const QString document = ScriptHelpDocument(QCoreApplication::applicationDirPath());
    if (document.isEmpty()) {
        reportLabel_->setText(
            tr("Справка не установлена: описание языка — в файле "
               "docs/script-language.md исходных текстов программы."));
        return;
    }
    // A missing viewer is no concern of this window.
    QDesktopServices::openUrl(QUrl::fromLocalFile(document));
}
