// SPDX-License-Identifier: GPL-3.0-or-later
// A plain-text editor with the line numbers in a margin at its left.
#pragma once

#include <QPlainTextEdit>

class LineNumberedEdit : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit LineNumberedEdit(QWidget* parent = nullptr);

    // Puts the cursor at the start of a line (counted from 1) and scrolls it into view;
    // a line beyond the text goes to the last line.
    void GoToLine(int line);
    // The text with "\n" between lines. Unlike toPlainText(), a line separator (U+2028)
    // inside a line stays one, and so does a no-break space.
    QString LinesText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Shift+Enter starts a new line like Enter, instead of a break inside the line; Ctrl+Tab
    // leaves the field (Tab types a tab).
    void keyPressEvent(QKeyEvent* event) override;

private:
    int MarginWidth() const;
    void UpdateMarginWidth();
    void UpdateMargin(const QRect& rect, int dy);
    void HighlightCursorLine();  // so the line a check points at stands out
    void PaintMargin(const QRect& area);

    QWidget* margin_;
};
