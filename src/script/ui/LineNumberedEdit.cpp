// SPDX-License-Identifier: GPL-3.0-or-later
// Line numbers beside the text: a margin widget painted from the visible text blocks.
#include "script/ui/LineNumberedEdit.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

namespace {

constexpr int kMarginPadding = 4;  // pixels on each side of the numbers

}  // namespace

LineNumberedEdit::LineNumberedEdit(QWidget* parent)
    : QPlainTextEdit(parent), margin_(new QWidget(this)) {
    margin_->setObjectName(QStringLiteral("LineNumbers"));
    margin_->installEventFilter(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &LineNumberedEdit::UpdateMarginWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &LineNumberedEdit::UpdateMargin);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this,
            &LineNumberedEdit::HighlightCursorLine);
    UpdateMarginWidth();
}

void LineNumberedEdit::GoToLine(int line) {
    QTextBlock block = document()->findBlockByNumber(line - 1);
    if (!block.isValid()) block = document()->lastBlock();
    QTextCursor cursor(block);
    setTextCursor(cursor);
    centerCursor();
}

QString LineNumberedEdit::LinesText() const {
    return document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

void LineNumberedEdit::keyPressEvent(QKeyEvent* event) {
    // Tab types a tab; with Ctrl it leaves the field, as in other editors.
    const bool controlTab = (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
                            event->modifiers().testFlag(Qt::ControlModifier);
    if (controlTab) {
        const bool back =
            event->key() == Qt::Key_Backtab || event->modifiers().testFlag(Qt::ShiftModifier);
        // The text field's own override keeps the focus while the text is editable.
        QAbstractScrollArea::focusNextPrevChild(!back);
        return;
    }
    if (event->matches(QKeySequence::InsertLineSeparator)) {
        QTextCursor cursor = textCursor();
        cursor.insertBlock();
        setTextCursor(cursor);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

int LineNumberedEdit::MarginWidth() const {
    const int digits = QString::number(qMax(1, blockCount())).size();
    return 2 * kMarginPadding + fontMetrics().horizontalAdvance(u'9') * qMax(2, digits);
}

void LineNumberedEdit::UpdateMarginWidth() {
    setViewportMargins(MarginWidth(), 0, 0, 0);
}

void LineNumberedEdit::UpdateMargin(const QRect& rect, int dy) {
    if (dy != 0)
        margin_->scroll(0, dy);
    else
        margin_->update(0, rect.y(), margin_->width(), rect.height());
}

void LineNumberedEdit::HighlightCursorLine() {
    QTextEdit::ExtraSelection line;
    line.format.setBackground(palette().color(QPalette::AlternateBase).darker(105));
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = textCursor();
    line.cursor.clearSelection();
    setExtraSelections({line});
}

void LineNumberedEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect content = contentsRect();
    margin_->setGeometry(content.left(), content.top(), MarginWidth(), content.height());
}

bool LineNumberedEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == margin_ && event->type() == QEvent::Paint) {
        PaintMargin(static_cast<QPaintEvent*>(event)->rect());
        return true;
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

void LineNumberedEdit::PaintMargin(const QRect& area) {
    QPainter painter(margin_);
    painter.fillRect(area, palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.setFont(font());
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int textWidth = margin_->width() - kMarginPadding;
    while (block.isValid() && top <= area.bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= area.top()) {
            painter.drawText(0, top, textWidth, fontMetrics().height(), Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        }
        top += height;
        block = block.next();
    }
}
