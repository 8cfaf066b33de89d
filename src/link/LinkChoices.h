// SPDX-License-Identifier: GPL-3.0-or-later
// The connections the program could watch right now, for the user to choose from.
#pragma once

#include "link/KernelPaths.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QDBusMessage;

struct LinkChoice {
    QString setting;  // the value of link_source that watches it
    QString name;     // as the user knows it
    QString kind;     // NetworkManager's type ("gsm", "802-11-wireless"...), empty for the kernel's
    std::optional<bool> metered;  // unknown when nobody says
    bool active = false;          // up (or coming up) now
};

// The automatic choice, first in every list.
LinkChoice AutomaticChoice();

// The point-to-point interfaces the kernel has now (ppp*, wwan*, tun*), by name.
std::vector<LinkChoice> KernelChoices(const KernelPaths& paths = KernelPaths());

// One line of the list: the name, its kind, whether it is metered and up.
QString ChoiceText(const LinkChoice& choice);

// NetworkManager's known connections (its profiles) and its active ones, asked without
// waiting: `done` runs once from the event loop with the active ones first, then the
// others by name; `answered` is false when NetworkManager did not answer at all. Deleting
// the object drops the answers still due.
class NetworkManagerChoices final : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const std::vector<LinkChoice>& found, bool answered)>;

    NetworkManagerChoices(QDBusConnection bus, Done done, QObject* parent = nullptr);

private:
    void Call(const QString& path, const QString& interface, const QString& method,
              const QVariantList& arguments, std::function<void(const QDBusMessage&)> then);
    LinkChoice& ChoiceNamed(const QString& name);
    void Deliver();

    QDBusConnection bus_;
    Done done_;
    int pending_ = 0;
    bool answered_ = false;
    std::vector<LinkChoice> found_;
};
