// SPDX-License-Identifier: GPL-3.0-or-later
// Caption, focus and accessibility checks over a window's widgets.
#include "WindowChecks.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QTextDocument>

namespace {

// "objectName: text" when the text, placed in `area` as its control places it, is cut:
// wider than the area, or its ink above or below it. Wrapping text takes as many lines as
// it needs.
QStringList Cut(const QWidget& widget, const QRect& area, const QString& text, bool wraps,
                Qt::Alignment alignment = Qt::AlignCenter) {
    if (text.isEmpty()) return {};
    // A mnemonic's "&" is not shown; "&&" shows one.
    const QString shown = QString(text)
                              .replace(QStringLiteral("&&"), QStringLiteral("\x01"))
                              .remove(QLatin1Char('&'))
                              .replace(QLatin1Char('\x01'), QLatin1Char('&'));
    const QFontMetrics metrics = widget.fontMetrics();
    QRect ink;
    if (wraps) {
        ink = metrics.boundingRect(area, int(alignment) | Qt::TextWordWrap, shown);
    } else {
        const QRect line = metrics.boundingRect(area, int(alignment), shown);
        ink =
            metrics.tightBoundingRect(shown).translated(line.left(), line.top() + metrics.ascent());
        ink.setLeft(line.left());
        ink.setWidth(metrics.horizontalAdvance(shown));
    }
    if (area.contains(ink)) return {};
    return {QStringLiteral("%1: %2 (needs %3x%4 at %5,%6 in %7x%8)")
                .arg(widget.objectName(), text)
                .arg(ink.width())
                .arg(ink.height())
                .arg(ink.left() - area.left())
                .arg(ink.top() - area.top())
                .arg(area.width())
                .arg(area.height())};
}

QStringList CutLabel(const QLabel& label) {
    QString text = label.text();
    const bool rich = label.textFormat() == Qt::RichText ||
                      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (rich) {  // a link: what shows is the text without its markup
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    const int margin = label.margin() + qMax(label.indent(), 0);
    const QRect area = label.contentsRect().adjusted(margin, margin, -margin, -margin);
    // Without a buddy a label shows its "&" as it is.
    if (!label.buddy()) text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return Cut(label, area, text, label.wordWrap(), label.alignment());
}

QStringList CutButton(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(&button)) contents = QStyle::SE_CheckBoxContents;
    if (qobject_cast<const QRadioButton*>(&button)) contents = QStyle::SE_RadioButtonContents;
    const QRect area = button.style()->subElementRect(contents, &option, &button);
    const bool pushButton = contents == QStyle::SE_PushButtonContents;
    return Cut(button, area, button.text(), button.inherits("WrappingButton"),
               pushButton ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
}

QStringList CutGroupTitle(const QGroupBox& box) {
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.textAlignment = box.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    const QRect title =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    // The title's rectangle is as wide as its text; the box may cut it at its edge.
    return Cut(box, title.intersected(box.rect()), box.title(), false, Qt::AlignLeft);
}

QStringList CutEntries(const QComboBox& list) {
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = list.isEditable();
    option.frame = list.hasFrame();
    option.subControls = QStyle::SC_All;
    const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, &list);
    QStringList cut;
    for (int i = 0; i < list.count(); ++i)
        cut << Cut(list, field, list.itemText(i), false, Qt::AlignLeft | Qt::AlignVCenter);
    return cut;
}

// Whether the widget is a part of a composite control (a field's scroll bars and header,
// a spin box's text field, a list's button) rather than a control of its own.
bool IsPartOfControl(const QWidget& widget, const QWidget& window) {
    for (const QWidget* up = widget.parentWidget(); up && up != &window; up = up->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(up) ||
            qobject_cast<const QAbstractSpinBox*>(up) || qobject_cast<const QComboBox*>(up))
            return true;
    return false;
}

bool IsControl(const QWidget& widget, const QWidget& window) {
    if (IsPartOfControl(widget, window)) return false;
    if (qobject_cast<const QLabel*>(&widget)) return widget.focusPolicy() & Qt::TabFocus;
    return qobject_cast<const QAbstractButton*>(&widget) ||
           qobject_cast<const QAbstractSlider*>(&widget) ||
           qobject_cast<const QComboBox*>(&widget) || qobject_cast<const QLineEdit*>(&widget) ||
           qobject_cast<const QAbstractSpinBox*>(&widget) ||
           qobject_cast<const QAbstractScrollArea*>(&widget);
}

}  // namespace

QStringList CutCaptions(const QWidget& window) {
    QStringList cut;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window)) continue;
        if (auto* label = qobject_cast<const QLabel*>(widget)) cut << CutLabel(*label);
        if (auto* button = qobject_cast<const QAbstractButton*>(widget)) cut << CutButton(*button);
        if (auto* box = qobject_cast<const QGroupBox*>(widget)) cut << CutGroupTitle(*box);
        if (auto* list = qobject_cast<const QComboBox*>(widget)) cut << CutEntries(*list);
    }
    return cut;
}

QList<QWidget*> Controls(const QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>())
        if (widget->window() == &window && widget->isVisibleTo(&window) &&
            IsControl(*widget, window))
            controls << widget;
    return controls;
}

QList<QWidget*> TabChain(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) return {};
    QWidget* focus = QApplication::focusWidget();
    if (!focus) {  // no control has the focus yet: the first Tab gives it
        QTest::keyClick(&window, Qt::Key_Tab);
        focus = QApplication::focusWidget();
    }
    QList<QWidget*> chain;
    while (focus && !chain.contains(focus) && chain.size() < 100) {
        chain << focus;
        QTest::keyClick(focus, Qt::Key_Tab);
        if (QApplication::focusWidget() == focus)
            QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier);
        focus = QApplication::focusWidget();
    }
    return chain;
}

QStringList ControlsWithoutAccessibleText(const QWidget& window) {
    QStringList missing;
    for (QWidget* control : Controls(window)) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        // A list's accessible name is its value on Linux; its caption is in the property.
        QString name = control->accessibleName();
        if (name.isEmpty() && accessible) name = accessible->text(QAccessible::Name);
        const QString description =
            accessible ? accessible->text(QAccessible::Description) : QString();
        if (name.trimmed().isEmpty()) missing << control->objectName() + QStringLiteral(" (name)");
        if (description.trimmed().isEmpty())
            missing << control->objectName() + QStringLiteral(" (description)");
    }
    return missing;
}

QStringList ObjectNames(const QList<QWidget*>& widgets) {
    QStringList names;
    for (const QWidget* widget : widgets) names << widget->objectName();
    return names;
}

void SaveShot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("VANTORIL_SHOTS_DIR");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    window.show();
    QTest::qWait(50);  // let the window system paint it first
    window.grab().save(folder + '/' + name + QStringLiteral("-scale") + scale +
                       QStringLiteral(".png"));
}
