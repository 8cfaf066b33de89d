// SPDX-License-Identifier: GPL-3.0-or-later
// The About window "О программе": product and version, author, e-mail and web links,
// and the people thanked.
#pragma once

#include "core/TwipsScale.h"

#include <QWidget>

class QLabel;
class QPushButton;

class AboutWindow : public QWidget {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);

    // Shows the one About window: the open one raised, or a new one (deleted on close).
    static AboutWindow* ShowSingle();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitScale(const QFont& titleFont);
    void AddThanksList(const QRect& geometry);
    QLabel* AddLabel(const char* name, const QString& text, const QRect& geometry);
    QLabel* AddLink(const char* name, const QString& text, const QRect& geometry);

    TwipsScale scale_;
    QLabel* mailLink_ = nullptr;
    QLabel* webLink_ = nullptr;
    QPushButton* okButton_ = nullptr;
};
