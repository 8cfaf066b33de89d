// SPDX-License-Identifier: GPL-3.0-or-later
// The notification-area icon over QSystemTrayIcon.
#include "tray/ui/TrayIcon.h"

#include <QMenu>

namespace {
constexpr int kTipShown = 127;  // the tip field held 128 characters with its terminator

QSystemTrayIcon::MessageIcon BalloonIcon(int iconType) {
    switch (iconType) {
        case 1:
            return QSystemTrayIcon::Information;
        case 2:
            return QSystemTrayIcon::Warning;
        case 3:
            return QSystemTrayIcon::Critical;
        default:
            return QSystemTrayIcon::NoIcon;
    }
}
}  // namespace

TrayIcon::TrayIcon(QObject* parent, Attach attach) : QObject(parent) {
    if (attach == Attach::Now) AttachToNotificationArea();
}

TrayIcon::~TrayIcon() {
    Hide();
}

void TrayIcon::AttachToNotificationArea() {
    if (platformIcon_) {
        if (iconShown_) {
            platformIcon_->hide();
            platformIcon_->show();
        }
        return;
    }
    platformIcon_ = new QSystemTrayIcon(icon_, this);
    platformIcon_->setToolTip(toolTip_);
    platformIcon_->setContextMenu(menu_);
    connect(platformIcon_, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
    if (iconShown_) platformIcon_->show();
}

void TrayIcon::SetToolTip(const QString& text) {
    toolTip_ = QString(text + QLatin1Char(' ')).left(kTipShown);
    if (platformIcon_) platformIcon_->setToolTip(toolTip_);
}

void TrayIcon::SetIcon(const QIcon& icon) {
    if (icon.isNull()) Hide();
    icon_ = icon;
    if (platformIcon_) platformIcon_->setIcon(icon_);
}

void TrayIcon::SetContextMenu(QMenu* menu) {
    if (menu_ == menu) return;
    menu_ = menu;
    if (platformIcon_) platformIcon_->setContextMenu(menu);
}

void TrayIcon::Show() {
    if (icon_.isNull() || iconShown_) return;
    iconShown_ = true;
    if (platformIcon_) platformIcon_->show();
}

void TrayIcon::Hide() {
    if (!iconShown_) return;
    iconShown_ = false;
    if (!platformIcon_) return;
    // Hiding deletes the icon's window. Inside a click handler (the tray menu's "Выход")
    // that window's own mouse handler is still on the stack, so its removal waits until
    // the handler has returned.
    if (inHandler_)
        QMetaObject::invokeMethod(platformIcon_, &QSystemTrayIcon::hide, Qt::QueuedConnection);
    else
        platformIcon_->hide();
}

bool TrayIcon::ShowBalloonToolTip(int timeout, const QString& text, const QString& title,
                                  int iconType, QString* error) {
    if (timeout > 32 || timeout < -32) {
        if (error) *error = QStringLiteral("Overflow");
        return false;
    }
    if (iconShown_ && platformIcon_)
        platformIcon_->showMessage(title, text, BalloonIcon(iconType), qMax(0, timeout) * 1000);
    return true;
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            Raise(&TrayIcon::Click, Left);
            break;
        case QSystemTrayIcon::DoubleClick:
            Raise(&TrayIcon::DblClick, Left);
            break;
        case QSystemTrayIcon::Context:
            Raise(&TrayIcon::Click, Right);
            break;
        default:
            break;  // the middle button and anything else raise nothing
    }
}

// A press that arrives while the handler of an earlier one still runs (its menu is
// open, say) is dropped, not queued.
void TrayIcon::Raise(void (TrayIcon::*event)(int), int button) {
    if (inHandler_) return;
    inHandler_ = true;
    (this->*event)(button);
    inHandler_ = false;
}
