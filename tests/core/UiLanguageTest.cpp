// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/UiLanguage.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

TEST(UiLanguage, theFirstLanguageSpokenDecidesAndNoLanguageMeansRussian) {
    EXPECT_TRUE(PrefersEnglish({"en"}));
    EXPECT_TRUE(PrefersEnglish({"en-GB", "en-Latn-GB"}));
    EXPECT_TRUE(PrefersEnglish({"de", "de-DE", "en", "en-US"})) << "German is not spoken";
    EXPECT_FALSE(PrefersEnglish({"ru", "en"}));
    EXPECT_FALSE(PrefersEnglish({"de-DE"}));
    EXPECT_FALSE(PrefersEnglish({"C"})) << "Qt reads the C locale as English";
    EXPECT_FALSE(PrefersEnglish({"POSIX", "en"}));
    EXPECT_FALSE(PrefersEnglish({"C.UTF-8"}));
    EXPECT_FALSE(PrefersEnglish({}));
}

TEST(UiLanguage, theEnglishCatalogueIsBuiltIn) {
    EXPECT_FALSE(InstallProgramTranslation({"ru-RU"}));
    ASSERT_TRUE(InstallProgramTranslation({"en-US"}));
    EXPECT_EQ(QCoreApplication::translate("RegularFile", "нет прав доступа"),
              QStringLiteral("permission denied"));
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}
