// SPDX-License-Identifier: GPL-3.0-or-later
// The tariff editor and its price dialog, driven like a user on the offscreen platform.
#include "Locales.h"
#include "NextModal.h"
#include "TempFolder.h"
#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "tariff/ui/PriceDialog.h"
#include "tariff/ui/TariffEditor.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>
#include <memory>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);
const QColor kCyan(0, 255, 255);
const QColor kWhite(255, 255, 255);

QByteArray HourTable(std::initializer_list<std::pair<int, int16_t>> classes) {
    QByteArray bytes(48, '\0');
    for (auto [hour, tariffClass] : classes)
        qToLittleEndian<int16_t>(tariffClass, bytes.data() + 2 * hour);
    return bytes;
}

QByteArray PriceTable(std::array<float, 4> prices) {
    QByteArray bytes(16, '\0');
    for (int c = 0; c < 4; ++c) qToLittleEndian<float>(prices[c], bytes.data() + 4 * c);
    return bytes;
}

QLineEdit* PriceField(QWidget* dialog) {
    return dialog->findChild<QLineEdit*>("Text1");
}

void Press(QWidget* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
}

// What the price dialog showed and what became of its message box, if one opened.
struct DialogSeen {
    QString caption;
    QString message;
};

struct TariffEditorTest : ::testing::Test {
    TempFolder temp;
    ProgramFolder folder{temp.Path()};

    std::unique_ptr<TariffEditor> Open(const QLocale& locale = RussianLocale()) {
        auto editor = std::make_unique<TariffEditor>(folder, locale);
        editor->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
        return editor;
    }
    static QWidget* Cell(TariffEditor& editor, int hour) {
        return editor.findChild<QWidget*>(QStringLiteral("tar1_%1").arg(hour));
    }
    static QColor CellColour(TariffEditor& editor, int hour) {
        return Cell(editor, hour)->palette().color(QPalette::Window);
    }
    static QRadioButton* Option(TariffEditor& editor, int tariffClass) {
        return editor.findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(tariffClass));
    }
    static void ClickCell(TariffEditor& editor, int hour) {
        QTest::mouseClick(Cell(editor, hour), Qt::LeftButton);
    }
    // Presses the right button on a class button and lets `answer` handle the dialog.
    static DialogSeen AskPrice(TariffEditor& editor, int tariffClass,
                               const std::function<void(QWidget*)>& answer) {
        DialogSeen seen;
        OnNextModal([&](QWidget* dialog) {
            seen.caption = dialog->windowTitle();
            answer(dialog);
        });
        QTest::mousePress(Option(editor, tariffClass), Qt::RightButton);
        QTest::mouseRelease(Option(editor, tariffClass), Qt::RightButton);
        return seen;
    }
    static void TypePrice(TariffEditor& editor, int tariffClass, const QString& keys) {
        AskPrice(editor, tariffClass, [&](QWidget* dialog) {
            QTest::keyClicks(PriceField(dialog), keys);
            Press(dialog, "Command2");
        });
    }
    // Presses Save, expecting a refusal; gives the message shown.
    static QString SaveRefused(TariffEditor& editor) {
        QString message;
        OnNextModal([&](QWidget* box) {
            message = static_cast<QMessageBox*>(box)->text();
            static_cast<QDialog*>(box)->accept();
        });
        Press(&editor, "Command2");
        return message;
    }
    void StoreTariffType(const char* type) {
        ASSERT_TRUE(WriteIni("Vantoril", "Type_tar", type, folder.AppFilePath("inet.conf")));
    }
};

TEST_F(TariffEditorTest, firstOpeningShowsRedCellsAndZeroPricesAndSavesZeros) {
    auto editor = Open();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Редактирование тарифа"));
    for (int h = 0; h < 24; ++h) EXPECT_EQ(CellColour(*editor, h), kRed) << "hour " << h;
    for (int c = 0; c < 4; ++c) EXPECT_EQ(Option(*editor, c)->text(), "0");
    EXPECT_TRUE(Option(*editor, 0)->isChecked());

    Press(editor.get(), "Command2");
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(temp.Read("tar.dat"), QByteArray(48, '\0'));
    EXPECT_EQ(temp.Read("tar.money.dat"), QByteArray(16, '\0'));
}

TEST_F(TariffEditorTest, storedClassesShowInTheirColours) {
    temp.Write("tar.dat", HourTable({{1, 1}, {2, 2}, {23, 3}, {5, 9}, {6, -1}}));
    auto editor = Open();
    EXPECT_EQ(CellColour(*editor, 0), kRed);
    EXPECT_EQ(CellColour(*editor, 1), kBlue);
    EXPECT_EQ(CellColour(*editor, 2), kYellow);
    EXPECT_EQ(CellColour(*editor, 23), kCyan);
    EXPECT_EQ(CellColour(*editor, 5), kWhite);
    EXPECT_EQ(CellColour(*editor, 6), kWhite);
    EXPECT_EQ(Option(*editor, 2)->palette().color(QPalette::Window), kYellow);
}

TEST_F(TariffEditorTest, clickingACellPaintsTheSelectedClassAndSaveStoresIt) {
    auto editor = Open();
    QTest::mouseClick(Option(*editor, 2), Qt::LeftButton);
    ClickCell(*editor, 13);  // the second cell of the lower row
    EXPECT_EQ(CellColour(*editor, 13), kYellow);
    EXPECT_EQ(CellColour(*editor, 12), kRed);

    Press(editor.get(), "Command2");
    const QByteArray hours = temp.Read("tar.dat");
    ASSERT_EQ(hours.size(), 48);
    EXPECT_EQ(hours.mid(26, 2), QByteArray::fromHex("0200"));
    EXPECT_EQ(hours.count('\0'), 47);
}

TEST_F(TariffEditorTest, whiteCellIsSavedAsClassZeroAndOtherHoursKeepTheirPlace) {
    temp.Write("tar.dat", HourTable({{5, 9}, {6, 3}}));
    auto editor = Open();
    Press(editor.get(), "Command2");
    const QByteArray hours = temp.Read("tar.dat");
    EXPECT_EQ(hours.mid(10, 2), QByteArray::fromHex("0000"));
    EXPECT_EQ(hours.mid(12, 2), QByteArray::fromHex("0300"));
}

TEST_F(TariffEditorTest, confirmedPriceBecomesTheCaptionWithoutChangingTheSelection) {
    auto editor = Open();
    TypePrice(*editor, 1, "1,5");
    EXPECT_EQ(Option(*editor, 1)->text(), "1,5");
    EXPECT_TRUE(Option(*editor, 0)->isChecked());
    EXPECT_FALSE(Option(*editor, 1)->isChecked());

    Press(editor.get(), "Command2");
    const QByteArray prices = temp.Read("tar.money.dat");
    ASSERT_EQ(prices.size(), 16);
    EXPECT_EQ(prices.mid(4, 4), QByteArray::fromHex("0000c03f"));
}

TEST_F(TariffEditorTest, cancelEmptyTextOrFrameLeaveTheCaption) {
    temp.Write("tar.money.dat", PriceTable({0, 2.5f, 0, 0}));
    auto editor = Open();
    AskPrice(*editor, 1, [](QWidget* dialog) {
        QTest::keyClicks(PriceField(dialog), "7");
        Press(dialog, "Command1");
    });
    EXPECT_EQ(Option(*editor, 1)->text(), "2,5");
    AskPrice(*editor, 1, [](QWidget* dialog) {
        QTest::keyClick(PriceField(dialog), Qt::Key_Delete);  // removes the selected text
        Press(dialog, "Command2");
    });
    EXPECT_EQ(Option(*editor, 1)->text(), "2,5");
    AskPrice(*editor, 1, [](QWidget* dialog) {
        QTest::keyClicks(PriceField(dialog), "7");
        dialog->close();
    });
    EXPECT_EQ(Option(*editor, 1)->text(), "2,5");
}

TEST_F(TariffEditorTest, dialogCaptionFollowsTheTariffTypeStoredAtThatMoment) {
    auto editor = Open();
    const auto caption = [&] {
        return AskPrice(*editor, 0, [](QWidget* dialog) { Press(dialog, "Command1"); }).caption;
    };
    const QString perMegabyte = QStringLiteral("Cтоимость МБ");
    const QString perHour = QStringLiteral("Cтоимость часа");
    ASSERT_EQ(perHour.front().unicode(), 0x43);  // the Latin C
    EXPECT_EQ(caption(), perMegabyte);           // no settings file
    StoreTariffType("1");
    EXPECT_EQ(caption(), perHour);
    StoreTariffType("2");
    EXPECT_EQ(caption(), perMegabyte);
    StoreTariffType("0");
    EXPECT_EQ(caption(), perMegabyte);
}

TEST_F(TariffEditorTest, cancelAndFrameWriteNothingAndReopeningShowsTheStoredTariff) {
    const QByteArray hours = HourTable({{3, 1}}) + "tail";
    const QByteArray prices = PriceTable({1, 2, 3, 4});
    temp.Write("tar.dat", hours);
    temp.Write("tar.money.dat", prices);
    for (const char* how : {"cancel", "frame"}) {
        auto editor = Open();
        QTest::mouseClick(Option(*editor, 3), Qt::LeftButton);
        ClickCell(*editor, 3);
        TypePrice(*editor, 2, "9");
        if (QByteArray(how) == "cancel")
            Press(editor.get(), "Command1");
        else
            editor->close();
        EXPECT_EQ(editor->result(), QDialog::Rejected) << how;
        EXPECT_EQ(temp.Read("tar.dat"), hours) << how;
        EXPECT_EQ(temp.Read("tar.money.dat"), prices) << how;
    }
    auto reopened = Open();
    EXPECT_EQ(CellColour(*reopened, 3), kBlue);
    EXPECT_EQ(Option(*reopened, 2)->text(), "3");
}

TEST_F(TariffEditorTest, longHandMadePriceShowsSevenDigitsAndIsSavedAsShown) {
    temp.Write("tar.money.dat", PriceTable({1.23456789f, 0, 0, 0}));
    auto editor = Open();
    EXPECT_EQ(Option(*editor, 0)->text(), "1,234568");
    Press(editor.get(), "Command2");
    EXPECT_EQ(temp.Read("tar.money.dat").left(4), PriceTable({1.234568f, 0, 0, 0}).left(4));
}

TEST_F(TariffEditorTest, pointLocaleShowsAndReadsPricesWithThePoint) {
    temp.Write("tar.money.dat", PriceTable({0.5f, 0, 0, 0}));
    auto editor = Open(PointLocale());
    EXPECT_EQ(Option(*editor, 0)->text(), "0.5");
    TypePrice(*editor, 1, "1.5");
    Press(editor.get(), "Command2");
    EXPECT_EQ(temp.Read("tar.money.dat"), PriceTable({0.5f, 1.5f, 0, 0}));
}

TEST_F(TariffEditorTest, aStoredPriceThatCannotBeOneIsToldShownEmptyAndRefused) {
    const QByteArray hours = HourTable({});
    for (const float bad :
         {std::numeric_limits<float>::quiet_NaN(), -2.0f, std::numeric_limits<float>::infinity()}) {
        const QByteArray prices = PriceTable({1, 2, 3, bad});
        temp.Write("tar.dat", hours);
        temp.Write("tar.money.dat", prices);
        QString told;
        OnNextModal([&](QWidget* box) {
            told = static_cast<QMessageBox*>(box)->text();
            static_cast<QDialog*>(box)->accept();
        });
        auto editor = Open();
        QTRY_VERIFY_WITH_TIMEOUT(!told.isEmpty(), 5000);
        EXPECT_TRUE(told.contains("tar.money.dat") && told.contains(QStringLiteral("класса 3")))
            << told.toStdString();
        EXPECT_EQ(Option(*editor, 3)->text(), "");
        EXPECT_EQ(Option(*editor, 2)->text(), "3");
        QTest::mouseClick(Option(*editor, 1), Qt::LeftButton);
        ClickCell(*editor, 0);

        const QString message = SaveRefused(*editor);
        EXPECT_TRUE(message.contains(QStringLiteral("голубого"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("не сохранён"))) << message.toStdString();
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(temp.Read("tar.dat"), hours);
        EXPECT_EQ(temp.Read("tar.money.dat"), prices);
    }
}

TEST_F(TariffEditorTest, unreadableTariffFileIsReportedWhenTheWindowShows) {
    QDir(temp.Path()).mkdir("tar.dat");
    QString message;
    OnNextModal([&](QWidget* box) {
        message = static_cast<QMessageBox*>(box)->text();
        static_cast<QDialog*>(box)->accept();
    });
    auto editor = Open();
    QTRY_VERIFY_WITH_TIMEOUT(!message.isEmpty(), 5000);
    EXPECT_TRUE(message.contains("tar.dat")) << message.toStdString();
    EXPECT_EQ(CellColour(*editor, 0), kRed);
}

struct PriceDialogTest : TariffEditorTest {
    // Opens the dialog on "0", runs `type` on its field, presses OK and gives the result.
    QString Typed(const QLocale& locale, const std::function<void(QLineEdit*)>& type) {
        PriceDialog dialog(folder, locale);
        OnNextModal([&](QWidget* shown) {
            type(PriceField(shown));
            // A refusal would open a message box: close it, so the test fails, not hangs.
            OnNextModal([](QWidget* box) { static_cast<QDialog*>(box)->reject(); }, &dialog);
            Press(shown, "Command2");
            if (shown->isVisible()) Press(shown, "Command1");
        });
        return dialog.InputMsg("0");
    }
};

TEST_F(PriceDialogTest, typedCharactersOtherThanDigitsAndTheCommaChangeNothing) {
    const QString result = Typed(RussianLocale(), [](QLineEdit* field) {
        QTest::keyClicks(field, "a-.x ");  // the whole "0" stays selected
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    });
    EXPECT_EQ(result, "0");
}

TEST_F(PriceDialogTest, digitsAndTheCommaReplaceTheSelectionAndDeleteWorks) {
    EXPECT_EQ(Typed(RussianLocale(), [](QLineEdit* field) { QTest::keyClicks(field, "12,5"); }),
              "12,5");
    EXPECT_EQ(Typed(RussianLocale(),
                    [](QLineEdit* field) {
                        QTest::keyClicks(field, "305");
                        QTest::keyClick(field, Qt::Key_Left);
                        QTest::keyClick(field, Qt::Key_Left);
                        QTest::keyClick(field, Qt::Key_Delete);
                    }),
              "35");
}

TEST_F(PriceDialogTest, pointLocaleTakesThePointAndNotTheComma) {
    EXPECT_EQ(Typed(PointLocale(), [](QLineEdit* field) { QTest::keyClicks(field, "2,.5"); }),
              "2.5");
}

TEST_F(PriceDialogTest, theWindowLeavesRoomForTheWholeCaptionBesideTheTitleButtons) {
    PriceDialog dialog(folder, RussianLocale());  // "Cтоимость МБ", cut by openbox before
    OnNextModal([&](QWidget* shown) {
        QFont bold = shown->font();
        bold.setBold(true);
        const int titleBar = shown->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        EXPECT_GE(shown->width(),
                  QFontMetrics(bold).horizontalAdvance(shown->windowTitle()) + 5 * titleBar);
        Press(shown, "Command1");
    });
    dialog.InputMsg("1");
}

TEST_F(PriceDialogTest, enterConfirmsAndEscapeCancels) {
    PriceDialog dialog(folder, RussianLocale());
    OnNextModal([](QWidget* shown) {
        QTest::keyClicks(PriceField(shown), "4,2");
        QTest::keyClick(PriceField(shown), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.InputMsg("0"), "4,2");
    OnNextModal([](QWidget* shown) {
        QTest::keyClicks(PriceField(shown), "7");
        QTest::keyClick(PriceField(shown), Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.InputMsg("0"), QString());
}

TEST_F(PriceDialogTest, textThatIsNotANumberIsRefusedAndTheDialogStaysOpen) {
    PriceDialog dialog(folder, RussianLocale());
    QString message;
    bool openAfterMessage = false;
    OnNextModal([&](QWidget* shown) {
        PriceField(shown)->setText("1,,5");  // pasted: the key filter does not see it
        OnNextModal([&](QWidget* box) {
            message = static_cast<QMessageBox*>(box)->text();
            static_cast<QDialog*>(box)->accept();
            QTimer::singleShot(0, shown, [&, shown] {
                openAfterMessage = shown->isVisible();
                Press(shown, "Command1");
            });
        });
        Press(shown, "Command2");
    });
    EXPECT_EQ(dialog.InputMsg("0"), QString());
    EXPECT_TRUE(message.contains(QStringLiteral("не является числом"))) << message.toStdString();
    EXPECT_TRUE(openAfterMessage);
}

}  // namespace
