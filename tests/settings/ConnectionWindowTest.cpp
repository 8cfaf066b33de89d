// SPDX-License-Identifier: GPL-3.0-or-later
// The connection window: link_source and currency chosen from the keyboard and saved.
#include "NextModal.h"
#include "ReadOnlyFolder.h"
#include "TempFolder.h"
#include "WindowChecks.h"
#include "settings/ui/ConnectionWindow.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {
class ConnectionWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"eth0", "ppp0", "ppp1"}) QDir(sys.Path()).mkdir(name);
        program.Write(QStringLiteral("inet.conf"),
                      "[Vantoril]\r\nfull=1\r\nlink_source=kernel:ppp0\r\ncurrency=руб.\r\n");
    }
    // No system bus here: the window must not wait for NetworkManager.
    std::unique_ptr<ConnectionWindow> Open() {
        auto window = std::make_unique<ConnectionWindow>(ProgramFolder(program.Path()),
                                                         QDBusConnection(QStringLiteral("none")),
                                                         KernelPaths{sys.Path()});
        window->show();
        return window;
    }
    QStringList Lines(const ConnectionWindow& window) {
        QStringList lines;
        const auto* list = window.findChild<QListWidget*>(QStringLiteral("ListConnections"));
        for (int row = 0; row < list->count(); ++row) lines << list->item(row)->text();
        return lines;
    }
    TempFolder program;
    TempFolder sys;
};
}  // namespace

TEST_F(ConnectionWindowTest, theKeyboardChoosesAConnectionAndACurrencyThatOkSaves) {
    auto window = Open();
    EXPECT_EQ(Lines(*window), QStringList({QStringLiteral("автоматически"),
                                           QStringLiteral("ppp0 — интерфейс ядра, активно"),
                                           QStringLiteral("ppp1 — интерфейс ядра, активно")}));
    EXPECT_EQ(ControlsWithoutAccessibleText(*window), QStringList());
    EXPECT_EQ(ObjectNames(TabChain(*window)),
              QStringList({"ListConnections", "TextCurrency", "CommandOk", "CommandCancel"}));
    auto* list = window->findChild<QListWidget*>(QStringLiteral("ListConnections"));
    EXPECT_EQ(list->currentRow(), 1) << "the setting in the file";
    const auto* status = window->findChild<QLabel*>(QStringLiteral("LabelSearch"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return status->text().contains("NetworkManager не отвечает"); }));
    EXPECT_EQ(list->currentRow(), 1) << "kept when the list is filled again";

    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Tab);
    auto* currency = window->findChild<QLineEdit*>(QStringLiteral("TextCurrency"));
    currency->setText(QStringLiteral(" € "));  // QTest types ASCII only
    QTest::keyClick(currency, Qt::Key_Return);
    EXPECT_EQ(program.Read(QStringLiteral("inet.conf")),
              "[Vantoril]\r\nfull=1\r\nlink_source=kernel:ppp1\r\ncurrency=€\r\n");
}

TEST_F(ConnectionWindowTest, aSettingNotListedNowIsKeptAndAFailedWriteSaysSoAndKeepsTheFile) {
    program.Write(QStringLiteral("inet.conf"), "[Vantoril]\r\nlink_source=scenario:a.scenario\r\n");
    auto window = Open();
    EXPECT_EQ(Lines(*window).last(), QStringLiteral("scenario:a.scenario — как в файле настроек"));
    const QByteArray before = program.Read(QStringLiteral("inet.conf"));
    const ReadOnlyFolder readOnly(program.Path());
    if (!readOnly.Made()) GTEST_SKIP() << "no way to make a read-only folder here";
    window->findChild<QListWidget*>(QStringLiteral("ListConnections"))->setCurrentRow(0);
    QString told;
    OnNextModal([&](QWidget* box) {
        told = static_cast<QMessageBox*>(box)->text();
        box->close();
    });
    window->accept();
    EXPECT_TRUE(told.startsWith(QStringLiteral("Настройки не сохранены: "))) << qPrintable(told);
    EXPECT_TRUE(window->isVisible()) << "the choice is still there to try again";
    EXPECT_EQ(program.Read(QStringLiteral("inet.conf")), before);
}
