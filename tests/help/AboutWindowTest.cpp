// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: its texts, its links and the one open window.
#include "help/ui/AboutWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Receives the addresses the window asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void Open(const QUrl& url) { opened << url; }
};

int VisibleAboutWindows() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<AboutWindow*>(window) && window->isVisible()) ++count;
    return count;
}

}  // namespace

TEST(AboutWindow, showsTheFixedTextsAndNineThanks) {
    AboutWindow about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
    EXPECT_EQ(about.findChild<QLabel*>("Label1")->text(), "Vantoril v 2.01.1");
    EXPECT_FALSE(about.findChild<QLabel*>("Image1")->pixmap().isNull()) << "logo resource";
    auto* thanks = about.findChild<QTextEdit*>("Text1");
    ASSERT_NE(thanks, nullptr);
    EXPECT_TRUE(thanks->isReadOnly());
    const QStringList names = thanks->toPlainText().split('\n');
    EXPECT_EQ(names.size(), 9);
    EXPECT_FALSE(names.contains(QString())) << "no empty line, none after the last name";
}

TEST(AboutWindow, linksOpenMailAndWebAddressesWithTheDesktopHandler) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "Open");
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    AboutWindow about;
    about.show();
    QTest::mouseClick(about.findChild<QLabel*>("Label3"), Qt::LeftButton);
    QTest::mouseClick(about.findChild<QLabel*>("Label4"), Qt::LeftButton);
    QTest::mouseClick(about.findChild<QLabel*>("Label2"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("mailto");
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(catcher.opened, (QList<QUrl>{QUrl("mailto:vantoril@example.org"),
                                           QUrl("https://vantoril.example.org")}));
}

TEST(AboutWindow, secondChoiceShowsTheOneOpenWindow) {
    AboutWindow* first = AboutWindow::ShowSingle();
    EXPECT_EQ(AboutWindow::ShowSingle(), first);
    EXPECT_EQ(VisibleAboutWindows(), 1);

    first->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(VisibleAboutWindows(), 0);
    AboutWindow* second = AboutWindow::ShowSingle();
    QTest::keyClick(second->findChild<QWidget*>("Text1"), Qt::Key_Escape);
    EXPECT_EQ(VisibleAboutWindows(), 0) << "Escape closes it";
    AboutWindow* next = AboutWindow::ShowSingle();
    EXPECT_EQ(VisibleAboutWindows(), 1);
    next->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

#include "AboutWindowTest.moc"
