// SPDX-License-Identifier: GPL-3.0-or-later
// The notification-area icon: picture, tooltip, balloon message and click events.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

class QMenu;

// Qt settles once per process, when its first tray icon is made, whether icons go to a
// D-Bus notification area or an X11 one. So the platform icon is made only when the
// desktop has a notification area (AttachToNotificationArea); until then the picture,
// tip, menu and shown state are kept and applied as it is made.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    enum Button : int { Left = 1, Right = 2 };
    enum class Attach { Now, Later };

    explicit TrayIcon(QObject* parent = nullptr, Attach attach = Attach::Now);
    ~TrayIcon() override;  // a present icon leaves the notification area with its control

    // Makes the platform icon when there is none yet; a shown icon is shown afresh, so it
    // enters a notification area that has (re)started since.
    void AttachToNotificationArea();
    bool Attached() const { return platformIcon_ != nullptr; }

    // The tip shows the text followed by one space, cut to the 127 characters the
    // notification area always showed.
    void SetToolTip(const QString& text);
    QString ToolTip() const { return toolTip_; }

    // A null icon removes a present icon first; a new picture reappears only at Show.
    void SetIcon(const QIcon& icon);
    QIcon Icon() const { return icon_; }

    // A menu the notification area shows by itself (D-Bus hosts export it); null for
    // none, where the host of the icon pops its own menu on a right press.
    void SetContextMenu(QMenu* menu);

    void Show();  // nothing without a picture or when already shown
    void Hide();
    bool IconShown() const { return iconShown_; }
    bool InHandler() const { return inHandler_; }

    // A balloon message at the icon for `timeout` seconds. The timeout in milliseconds
    // has always been a 16-bit value: above 32 seconds (or below -32) the call fails
    // with "Overflow" and nothing changes. `iconType`: 0 none, 1 information,
    // 2 warning, 3 error.
    bool ShowBalloonToolTip(int timeout, const QString& text, const QString& title, int iconType,
                            QString* error = nullptr);

Q_SIGNALS:
    void Click(int button);     // a press on the icon
    void DblClick(int button);  // a double click; never reported by StatusNotifierItem hosts

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    void Raise(void (TrayIcon::*event)(int), int button);

    QSystemTrayIcon* platformIcon_ = nullptr;
    QString toolTip_ = QStringLiteral(" ");
    QIcon icon_;
    QPointer<QMenu> menu_;
    bool iconShown_ = false;
    bool inHandler_ = false;
};
