// The notification-area icon: picture, tooltip, balloon message and click events.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class AfTIcon : public QObject {
    Q_OBJECT
public:
    enum Button : int { Left = 1, Right = 2 };

    explicit AfTIcon(QObject* parent = nullptr);
    ~AfTIcon() override;  // a present icon leaves the notification area with its control

    // The tip shows the text followed by one space, cut to the 127 characters the
    // notification area always showed.
    void SetToolTip(const QString& text);
    QString ToolTip() const { return toolTip_; }

    // A null icon removes a present icon first; a new picture reappears only at Show.
    void SetIcon(const QIcon& icon);
    QIcon Icon() const { return icon_; }

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
    void Raise(void (AfTIcon::*event)(int), int button);

    QSystemTrayIcon* platformIcon_;
    QString toolTip_ = QStringLiteral(" ");
    QIcon icon_;
    bool iconShown_ = false;
    bool inHandler_ = false;
};
