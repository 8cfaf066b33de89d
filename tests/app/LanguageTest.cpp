// SPDX-License-Identifier: GPL-3.0-or-later
// The windows in the user's language: run by CTest once with LANGUAGE=en and once under the
// C locale, the program's texts installed as its start installs them.
#include "ApplicationFixture.h"
#include "WindowChecks.h"
#include "app/QtTranslation.h"
#include "core/UiLanguage.h"
#include "help/ui/AboutWindow.h"
#include "script/ui/ScriptEditor.h"
#include "tariff/ui/PriceDialog.h"
#include "tariff/ui/TariffEditor.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTranslator>

namespace {

// Every text a user sees or hears in the window: its title, captions, group titles, list
// entries, column titles, placeholders, tooltips, accessible names and descriptions.
QStringList ShownTexts(const QWidget& window) {
    QStringList texts{window.windowTitle(), window.accessibleName(),
                      window.accessibleDescription()};
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        texts << w->toolTip() << w->accessibleName() << w->accessibleDescription();
        if (const auto* label = qobject_cast<const QLabel*>(w)) texts << label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) texts << button->text();
        if (const auto* group = qobject_cast<const QGroupBox*>(w)) texts << group->title();
        if (const auto* field = qobject_cast<const QLineEdit*>(w))
            texts << field->placeholderText();
        if (const auto* list = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
        if (const auto* header = qobject_cast<const QHeaderView*>(w); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
    }
    texts.removeAll(QString());
    return texts;
}

// The program's windows, each opened as a user opens it, with the menus' items.
class LanguageTest : public ApplicationFixture {
protected:
    void SetUp() override {
        programFolder.Write(QStringLiteral("connections/MyISP.vlg"),
                            "[Statistic]\r\n11.2026=12,5\r\n");
        QString error;
        (void)LoadTranslations(QLocale::system().uiLanguages(), &error);
    }
    void TearDown() override {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    // Each window's texts by its name; the windows are built after the texts are installed.
    // With VANTORIL_SHOTS_DIR set, each window's picture is kept as <language>-<name>.
    QMap<QString, QStringList> WindowTexts() {
        Run();
        const QString language = PrefersEnglish(QLocale::system().uiLanguages())
                                     ? QStringLiteral("en-")
                                     : QStringLiteral("ru-");
        QMap<QString, QStringList> texts;
        const auto read = [&](QWidget& window, const QString& name) {
            texts[name] = ShownTexts(window);
            SaveShot(window, language + name);
        };
        QStringList menu;
        for (QAction* item : app->Menus().trayMenu->actions()) menu << item->text();
        texts[QStringLiteral("menu")] = menu;
        read(app->SettingsUi(), QStringLiteral("settings"));
        read(app->Indicator(), QStringLiteral("indicator"));
        for (const char* item : {"mnuStatistic", "mnuHistory", "mnuAbout"}) Item(item).trigger();
        const QMap<QString, QString> names = {
            {QStringLiteral("Form7"), QStringLiteral("statistics")},
            {QStringLiteral("HistoryWindow"), QStringLiteral("history")},
            {QStringLiteral("Form6"), QStringLiteral("about")}};
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && names.contains(window->objectName()))
                read(*window, names.value(window->objectName()));
        const ProgramFolder folder(programFolder.Path());
        TariffEditor tariff(folder, RussianLocale());
        read(tariff, QStringLiteral("tariff"));
        PriceDialog price(folder, RussianLocale());
        read(price, QStringLiteral("price"));
        ScriptEditor script(folder);
        read(script, QStringLiteral("script"));
        for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        return texts;
    }
};

const QRegularExpression kCyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));

TEST_F(LanguageTest, EnglishWhereTheUserAsksForIt) {
    if (!PrefersEnglish(QLocale::system().uiLanguages()))
        GTEST_SKIP() << "run with LANGUAGE=en (CTest does)";
    const QMap<QString, QStringList> texts = WindowTexts();
    EXPECT_EQ(texts.value(QStringLiteral("menu")).mid(0, 7),
              QStringList({"Settings", "Indicator", "Statistics", "History and budget", "Help",
                           "About", "Exit"}));
    for (auto window = texts.begin(); window != texts.end(); ++window) {
        EXPECT_GE(window.value().size(), 3) << window.key().toStdString();
        for (const QString& text : window.value())
            if (text.contains(kCyrillic))
                ADD_FAILURE() << window.key().toStdString() << ": " << text.toStdString();
    }
    EXPECT_TRUE(texts.value(QStringLiteral("about")).contains(QStringLiteral("About")));
    EXPECT_TRUE(
        texts.value(QStringLiteral("history")).contains(QStringLiteral("History and budget")));
}

TEST_F(LanguageTest, RussianUnderTheCLocale) {
    if (PrefersEnglish(QLocale::system().uiLanguages()))
        GTEST_SKIP() << "run with LC_ALL=C and no LANGUAGE (CTest does)";
    const QMap<QString, QStringList> texts = WindowTexts();
    EXPECT_EQ(texts.value(QStringLiteral("menu")).mid(0, 7),
              QStringList({"Настройки", "Индикатор", "Статистика", "История и бюджет", "Помощь",
                           "О программе", "Выход"}));
    const QList<QPair<QString, QString>> titles = {{"settings", "Настройки программы"},
                                                   {"statistics", "Просмотр статистики"},
                                                   {"about", "О программе"},
                                                   {"tariff", "Редактирование тарифа"},
                                                   {"script", "Редактор скриптов"},
                                                   {"history", "История и бюджет"},
                                                   {"price", "Введите данные"}};
    for (const auto& [window, title] : titles)
        EXPECT_EQ(texts.value(window).value(0), title) << window.toStdString();
    // Not a word of the English catalogue leaks in.
    for (auto window = texts.begin(); window != texts.end(); ++window)
        for (const QString& text : window.value())
            EXPECT_FALSE(
                text.contains(QRegularExpression(QStringLiteral("\\b(the|Save|Close)\\b"))))
                << window.key().toStdString() << ": " << text.toStdString();
}

}  // namespace
