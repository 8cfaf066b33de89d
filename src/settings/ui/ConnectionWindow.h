// SPDX-License-Identifier: GPL-3.0-or-later
// "Подключение": which connection the program watches (link_source) and the currency sign.
#pragma once

#include "core/ProgramFolder.h"
#include "link/KernelPaths.h"
#include "link/LinkChoices.h"

#include <QDBusConnection>
#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

// Lists what can be watched now: "автоматически", NetworkManager's connections (asked on
// `systemBus` without waiting; they join the list when they answer) and the kernel's
// point-to-point interfaces. OK writes link_source and currency to the settings file; the
// running program takes up a new link_source at once. A write that fails keeps the file as
// it was, says why and leaves the window open.
class ConnectionWindow : public QDialog {
    Q_OBJECT
public:
    ConnectionWindow(ProgramFolder folder, QDBusConnection systemBus,
                     const KernelPaths& kernelPaths = KernelPaths(), QWidget* parent = nullptr);

    void accept() override;

private:
    // Lists the automatic choice, NetworkManager's, the kernel's and, when none of them is
    // the setting in the file (a scenario, a connection not there now), that setting too;
    // `selected` stays selected.
    void Fill(const std::vector<LinkChoice>& networkManager, const QString& selected);
    QString Selected() const;

    ProgramFolder folder_;
    QString setting_;  // link_source as the file has it
    std::vector<LinkChoice> kernel_;
    QListWidget* list_;
    QLabel* status_;
    QLineEdit* currency_;
};
