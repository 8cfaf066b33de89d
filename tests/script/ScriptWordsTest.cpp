// Word rules: blanks, letter case, operand kinds, lines and limits.
#include "ScriptRunner.h"

#include "script/ScriptLines.h"
#include "script/ScriptWords.h"

#include <gtest/gtest.h>

TEST(GetTypeName, numberLiteralsAreIntegersAndEverythingElseIsAName) {
    for (const char* word : {"0", "00", "000", "5", "-1", "1e3", "15min", "&H10"})
        EXPECT_EQ(clsRun::GetTypeName(QString::fromUtf8(word)), QStringLiteral("integer")) << word;
    for (const char* word : {"0.0", "0000", "x", "", "'5'", "DL", "-0", " 0"})
        EXPECT_EQ(clsRun::GetTypeName(QString::fromUtf8(word)), QStringLiteral("string")) << word;
}

TEST(TrimBlanks, removesSpacesOnlyNeverTabs) {
    EXPECT_EQ(TrimBlanks(u"  a b  "), u"a b");
    EXPECT_EQ(TrimBlanks(u"\ta\t"), u"\ta\t");
    EXPECT_EQ(TrimBlanks(u"   "), u"");
}

TEST(LowerCase, foldsLatinAndCyrillicAndKeepsTheLength) {
    EXPECT_EQ(LowerCase(u"MESSAGE Если ЁЖ"), QStringLiteral("message если ёж"));
    const QString mixed = QStringLiteral("İ\U0001D400X");  // dotted I, a letter beyond 16 bits
    EXPECT_EQ(LowerCase(mixed).size(), mixed.size());
}

TEST(SplitScriptLines, cutsAtLineBreaksKeepingEmptyLines) {
    EXPECT_TRUE(SplitScriptLines(QString()).isEmpty());
    EXPECT_EQ(SplitScriptLines(QStringLiteral("a\r\nb\r\n")),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QString()}));
    EXPECT_EQ(SplitScriptLines(QStringLiteral("a\n\r\nb\rc")),
              QStringList({QStringLiteral("a"), QString(), QStringLiteral("b\rc")}));
    EXPECT_EQ(SplitScriptLines(QStringLiteral("\r\n")), QStringList({QString(), QString()}));
}

TEST(FindLimitBreach, namesTheFirstLineBeyondTheLimits) {
    EXPECT_FALSE(FindLimitBreach(QStringList(kMaxScriptLines, QStringLiteral("a"))));
    QStringList closed(kMaxScriptLines, QStringLiteral("a"));
    closed.append(QString());
    EXPECT_FALSE(FindLimitBreach(closed));
    closed.last() = QStringLiteral("a");
    const auto tooMany = FindLimitBreach(closed);
    ASSERT_TRUE(tooMany);
    EXPECT_EQ(tooMany->kind, ScriptLimitBreach::Kind::TooManyLines);
    EXPECT_EQ(tooMany->lineNumber, kMaxScriptLines + 1);

    const QStringList wide({QStringLiteral("a"), QString(kMaxScriptLineLength, u'x'),
                            QString(kMaxScriptLineLength + 1, u'x')});
    const auto tooLong = FindLimitBreach(wide);
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->kind, ScriptLimitBreach::Kind::LineTooLong);
    EXPECT_EQ(tooLong->lineNumber, 3);
}
